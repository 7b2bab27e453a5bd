#pragma once
// Layout of a compound index file (.cdx, and a database's .dcx) as
// ReadCompoundIndex reads it: FoxPro's compact index format. Integers are
// little-endian but for the entries of interior nodes, which are big-endian.
//
//   offset 0         the tag directory's header (1024 bytes): an index whose
//                    keys are the tag names, each entry's record number being
//                    the offset of that tag's header
//   any offset       nodes of 512 bytes, found from a header's root offset
//   a tag's offset   the tag's header (1024 bytes), laid out as the
//                    directory's; its nodes hold the keys, which are not read
//
// docs/formats.md describes it in full.

#include <cstddef>
#include <cstdint>

namespace quorvex {

inline constexpr std::size_t kIndexHeaderSize = 1024;
inline constexpr std::size_t kIndexNodeSize = 512;

// Header.
inline constexpr std::size_t kIndexRoot = 0;             // 4 bytes: offset of the root node
inline constexpr std::size_t kIndexKeyLength = 12;       // 2 bytes
inline constexpr std::size_t kIndexOptions = 14;         // 1 byte (below)
inline constexpr std::size_t kIndexDescending = 502;     // 2 bytes: 1 descending, 0 ascending
inline constexpr std::size_t kIndexForPosition = 504;    // 2 bytes: the FOR expression's offset in the pool
inline constexpr std::size_t kIndexForLength = 506;      // 2 bytes, its terminating NUL included
inline constexpr std::size_t kIndexKeyPosition = 508;    // 2 bytes: the key expression's offset in the pool
inline constexpr std::size_t kIndexKeyExprLength = 510;  // 2 bytes, its terminating NUL included
inline constexpr std::size_t kIndexPool = 512;           // the expressions, up to the header's end
inline constexpr std::size_t kIndexPoolSize = kIndexHeaderSize - kIndexPool;

// Index options (header byte 14).
inline constexpr int kIndexUnique = 0x01;     // UNIQUE: the first record of each key only
inline constexpr int kIndexCandidate = 0x04;  // candidate (or primary) key: no two records share a key
inline constexpr int kIndexHasFor = 0x08;     // a FOR expression filters the records

// Node.
inline constexpr std::size_t kNodeAttributes = 0;  // 2 bytes (below)
inline constexpr std::size_t kNodeKeyCount = 2;    // 2 bytes
inline constexpr std::size_t kNodeRight = 8;       // 4 bytes: the next node of the level, or 0xFFFFFFFF
inline constexpr int kNodeLeaf = 0x02;
inline constexpr std::uint32_t kNoNode = 0xFFFFFFFF;

// Interior node: from byte 12, per key the key, then the record number and
// the child node's offset, 4 bytes each, big-endian.
inline constexpr std::size_t kInteriorEntries = 12;

// Leaf (exterior) node: the masks and bit counts that pack each entry's
// record number, duplicate count (leading bytes shared with the key before)
// and trailing count (trailing blanks left out) into a few bytes; entries
// from byte 24 forward, the keys' remaining bytes from the node's end back.
inline constexpr std::size_t kLeafRecordMask = 14;     // 4 bytes
inline constexpr std::size_t kLeafDuplicateMask = 18;  // 1 byte
inline constexpr std::size_t kLeafTrailingMask = 19;   // 1 byte
inline constexpr std::size_t kLeafRecordBits = 20;     // 1 byte
inline constexpr std::size_t kLeafDuplicateBits = 21;  // 1 byte
inline constexpr std::size_t kLeafTrailingBits = 22;   // 1 byte
inline constexpr std::size_t kLeafEntrySize = 23;      // 1 byte: bytes per entry
inline constexpr std::size_t kLeafEntries = 24;

}  // namespace quorvex
