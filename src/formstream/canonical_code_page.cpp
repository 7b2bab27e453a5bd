#include "formstream/canonical_code_page.h"

#include "formstream/canonical_dfm.h"

namespace quorvex {

namespace {

// Language marks of the double-byte code pages in a table header.
constexpr int kMarkJapanese = 0x13;
constexpr int kMarkSimplifiedChinese = 0x7A;
constexpr int kMarkKorean = 0x79;
constexpr int kMarkTraditionalChinese = 0x78;

}  // namespace

int CodePageFromMark(int mark) {
  switch (mark) {
    case kMarkJapanese:
      return 932;
    case kMarkSimplifiedChinese:
      return 936;
    case kMarkKorean:
      return 949;
    case kMarkTraditionalChinese:
      return 950;
    default:
      return 0;
  }
}

LeadByteTable::LeadByteTable(int code_page) {
  const auto mark_range = [this](int first, int last) {
    for (int byte = first; byte <= last; ++byte) lead_[static_cast<std::size_t>(byte)] = true;
  };
  switch (code_page) {
    case 932:
      mark_range(0x81, 0x9F);
      mark_range(0xE0, 0xFC);
      break;
    case 936:
    case 949:
    case 950:
      mark_range(0x81, 0xFE);
      break;
    default:
      break;
  }
}

}  // namespace quorvex
