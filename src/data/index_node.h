#pragma once
// One node of a compact index (cdx_format.h), decoded from its 512 bytes:
// its keys in order and the number each entry carries. Only the reader of
// the tag directory uses it, whose keys are tag names.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

struct IndexEntry {
  std::string key = {};      // the whole key, a leaf's left-out trailing bytes as blanks
  std::uint32_t number = 0;  // leaf: the record number (a directory's: a tag header's offset);
                             // interior node: the child node's offset
};

struct IndexNode {
  bool leaf = false;
  std::uint32_t right = 0;  // the next node of the level, or kNoNode
  std::vector<IndexEntry> entries = {};
};

// Decodes a node whose keys are key_length bytes long. Throws ETableError
// "Index node at %llu is bad in %s" (offset and file name as given) when its
// key count, packing or keys do not fit in it.
IndexNode DecodeIndexNode(std::string_view bytes, std::size_t key_length, std::uint64_t offset,
                          std::string_view file_name);

}  // namespace quorvex
