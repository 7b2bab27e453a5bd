#include "data/index_node.h"

#include "base/errors.h"
#include "data/cdx_format.h"
#include "table/byte_order.h"

namespace quorvex {

namespace {

constexpr std::size_t kInteriorNumbers = 8;  // record number and child offset
constexpr std::size_t kMaxEntrySize = 8;     // the packed entry is read as one 64-bit integer

// What a leaf packs into each entry, from its header bytes.
struct LeafPacking {
  std::uint32_t record_mask = 0;
  std::uint32_t duplicate_mask = 0;
  std::uint32_t trailing_mask = 0;
  unsigned record_bits = 0;
  unsigned duplicate_bits = 0;
  std::size_t entry_size = 0;
};

class NodeDecoder {
 public:
  NodeDecoder(std::string_view bytes, std::size_t key_length, std::uint64_t offset, std::string_view file_name)
      : bytes_(bytes), key_length_(key_length), offset_(offset), file_name_(file_name) {}

  IndexNode Decode() {
    IndexNode node;
    node.leaf = (LittleEndian16(bytes_, kNodeAttributes) & kNodeLeaf) != 0;
    node.right = LittleEndian32(bytes_, kNodeRight);
    const std::size_t count = LittleEndian16(bytes_, kNodeKeyCount);
    node.entries = node.leaf ? LeafEntries(count) : InteriorEntries(count);
    return node;
  }

 private:
  [[noreturn]] void Bad() const {
    throw ETableError("Index node at " + std::to_string(offset_) + " is bad in " + std::string(file_name_));
  }

  std::vector<IndexEntry> InteriorEntries(std::size_t count) const {
    const std::size_t entry_size = key_length_ + kInteriorNumbers;
    if (count > (kIndexNodeSize - kInteriorEntries) / entry_size) Bad();
    std::vector<IndexEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t at = kInteriorEntries + i * entry_size;
      entries.push_back({std::string(bytes_.substr(at, key_length_)), BigEndian32(bytes_, at + key_length_ + 4)});
    }
    return entries;
  }

  LeafPacking Packing() const {
    LeafPacking packing{.record_mask = LittleEndian32(bytes_, kLeafRecordMask),
                        .duplicate_mask = Byte(bytes_, kLeafDuplicateMask),
                        .trailing_mask = Byte(bytes_, kLeafTrailingMask),
                        .record_bits = Byte(bytes_, kLeafRecordBits),
                        .duplicate_bits = Byte(bytes_, kLeafDuplicateBits),
                        .entry_size = Byte(bytes_, kLeafEntrySize)};
    // The counts are shifted out of one 64-bit integer: the shifts stay below 64.
    const unsigned shift = packing.record_bits + packing.duplicate_bits;
    if (packing.entry_size == 0 || packing.entry_size > kMaxEntrySize || shift >= 64 ||
        shift + Byte(bytes_, kLeafTrailingBits) > 8 * packing.entry_size) {
      Bad();
    }
    return packing;
  }

  std::vector<IndexEntry> LeafEntries(std::size_t count) const {
    const LeafPacking packing = Packing();
    if (count > (kIndexNodeSize - kLeafEntries) / packing.entry_size) Bad();
    const std::size_t entries_end = kLeafEntries + count * packing.entry_size;
    std::size_t key_start = kIndexNodeSize;  // the keys' bytes run backwards from the end
    std::vector<IndexEntry> entries;
    std::string previous;
    for (std::size_t i = 0; i < count; ++i) {
      std::uint64_t packed = 0;
      const std::size_t at = kLeafEntries + i * packing.entry_size;
      for (std::size_t b = packing.entry_size; b-- > 0;) packed = packed << 8 | Byte(bytes_, at + b);
      const std::size_t duplicate = packed >> packing.record_bits & packing.duplicate_mask;
      const std::size_t trailing = packed >> (packing.record_bits + packing.duplicate_bits) & packing.trailing_mask;
      if (duplicate > previous.size() || duplicate + trailing > key_length_) Bad();
      const std::size_t stored = key_length_ - duplicate - trailing;
      if (key_start < entries_end + stored) Bad();
      key_start -= stored;
      std::string key = previous.substr(0, duplicate);
      key.append(bytes_.substr(key_start, stored)).append(trailing, ' ');
      entries.push_back({key, static_cast<std::uint32_t>(packed & packing.record_mask)});
      previous = std::move(key);
    }
    return entries;
  }

  std::string_view bytes_;
  std::size_t key_length_;
  std::uint64_t offset_;
  std::string_view file_name_;
};

}  // namespace

IndexNode DecodeIndexNode(std::string_view bytes, std::size_t key_length, std::uint64_t offset,
                          std::string_view file_name) {
  return NodeDecoder(bytes, key_length, offset, file_name).Decode();
}

}  // namespace quorvex
