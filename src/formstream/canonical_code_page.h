#pragma once
// Lead bytes of the double-byte code pages a form text may be written in. The
// text is never decoded; the printer only needs to know where a two-byte
// character starts so that a string cut never falls inside one.

#include <array>

namespace quorvex {

class LeadByteTable {
 public:
  // 932 (Shift-JIS): 0x81-0x9F and 0xE0-0xFC; 936, 949, 950: 0x81-0xFE;
  // any other code page has no lead bytes.
  explicit LeadByteTable(int code_page);

  bool IsLead(unsigned char byte) const { return lead_[byte]; }

 private:
  std::array<bool, 256> lead_{};
};

}  // namespace quorvex
