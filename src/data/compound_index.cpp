#include "data/compound_index.h"

#include <set>

#include "base/errors.h"
#include "data/cdx_format.h"
#include "data/index_node.h"
#include "table/byte_order.h"
#include "table/disk_file.h"

namespace quorvex {

namespace {

// FoxPro's longest key; a directory's keys are the 10-byte tag names.
constexpr int kMaxKeyLength = 240;

class IndexReader {
 public:
  IndexReader(FileSystem& files, std::string_view file_name) : file_(files, file_name) {
    if (!file_.Exists()) throw ETableError("File " + Name() + " could not be found");
    file_.Open();
  }

  std::vector<IndexTag> Tags() {
    const std::string directory = Header(0);
    const int key_length = LittleEndian16(directory, kIndexKeyLength);
    if (key_length < 1 || key_length > kMaxKeyLength) {
      throw ETableError("Key length " + std::to_string(key_length) + " is invalid in index " + Name());
    }
    // Each tag has a header of its own: more tags than headers fit in the
    // file are entries of a damaged directory, however many it claims.
    const std::uint64_t room = file_.Size() / kIndexHeaderSize;
    std::vector<IndexTag> tags;
    IndexNode leaf = FirstLeaf(LittleEndian32(directory, kIndexRoot), key_length);
    for (;;) {
      for (const IndexEntry& entry : leaf.entries) {
        if (tags.size() == room) throw ETableError("Index directory lists more tags than fit in " + Name());
        tags.push_back(Tag(entry));
      }
      if (leaf.right == kNoNode) return tags;
      const std::uint32_t offset = leaf.right;
      leaf = Node(offset, key_length);
      if (!leaf.leaf) Bad(offset);
    }
  }

 private:
  const std::string& Name() const { return file_.FileName(); }

  std::string Header(std::uint64_t offset) {
    std::string bytes = file_.Read(offset, kIndexHeaderSize);
    if (bytes.size() < kIndexHeaderSize) {
      throw ETableError("Index header at " + std::to_string(offset) + " is cut short in " + Name());
    }
    return bytes;
  }

  // Each node once: a directory whose links lead back would never end.
  IndexNode Node(std::uint32_t offset, int key_length) {
    if (!visited_.insert(offset).second) throw ETableError("Index nodes loop in " + Name());
    const std::string bytes = file_.Read(offset, kIndexNodeSize);
    if (bytes.size() < kIndexNodeSize) {
      throw ETableError("Index node at " + std::to_string(offset) + " is cut short in " + Name());
    }
    return DecodeIndexNode(bytes, static_cast<std::size_t>(key_length), offset, Name());
  }

  [[noreturn]] void Bad(std::uint32_t offset) const {
    throw ETableError("Index node at " + std::to_string(offset) + " is bad in " + Name());
  }

  // Down the first entries of the interior nodes to the leftmost leaf, from
  // which the leaves are walked rightwards.
  IndexNode FirstLeaf(std::uint32_t offset, int key_length) {
    for (;;) {
      IndexNode node = Node(offset, key_length);
      if (node.leaf) return node;
      if (node.entries.empty()) Bad(offset);
      offset = node.entries.front().number;
    }
  }

  std::string Expression(const std::string& header, std::size_t position_at, std::size_t length_at,
                         const std::string& tag) const {
    const std::size_t position = LittleEndian16(header, position_at);
    const std::size_t length = LittleEndian16(header, length_at);
    if (position > kIndexPoolSize || length > kIndexPoolSize - position) {
      throw ETableError("Expression of tag " + tag + " lies outside its header in " + Name());
    }
    const std::string_view text = std::string_view(header).substr(kIndexPool + position, length);
    return std::string(text.substr(0, text.find('\0')));
  }

  IndexTag Tag(const IndexEntry& entry) {
    const std::string header = Header(entry.number);
    IndexTag tag;
    tag.name = entry.key.substr(0, entry.key.find_last_not_of(std::string_view(" \0", 2)) + 1);
    tag.key_expression = Expression(header, kIndexKeyPosition, kIndexKeyExprLength, tag.name);
    tag.for_expression = Expression(header, kIndexForPosition, kIndexForLength, tag.name);
    const unsigned options = Byte(header, kIndexOptions);
    tag.unique = (options & kIndexUnique) != 0;
    tag.candidate = (options & kIndexCandidate) != 0;
    tag.descending = LittleEndian16(header, kIndexDescending) != 0;
    return tag;
  }

  DiskFile file_;
  std::set<std::uint32_t> visited_;
};

}  // namespace

std::vector<IndexTag> ReadCompoundIndex(FileSystem& files, std::string_view file_name) {
  return IndexReader(files, file_name).Tags();
}

}  // namespace quorvex
