#pragma once
// How a fuzz target reads its one input as the several files a conversion
// opens. Inputs are laid out so that real files make good seeds
// (make_seeds.sh and make_fuzz_seeds write them).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "table/memory_file_system.h"

namespace quorvex {

// A table and its memo file: 4 bytes little-endian giving the table's
// length, the table, then the memo file (the rest). A stated length past the
// end takes the rest as the table and leaves the memo file empty.
struct TableAndMemo {
  std::string_view table;
  std::string_view memo;
};
// False for inputs shorter than the 4 length bytes.
bool SplitTableAndMemo(std::string_view input, TableAndMemo& parts);
// The input that SplitTableAndMemo splits into these files.
std::string JoinTableAndMemo(std::string_view table, std::string_view memo);

// The input split as a table and memo file into kFuzzForm and its .sct file;
// false (nothing added) where SplitTableAndMemo refuses it.
inline constexpr const char* kFuzzForm = "/fuzz/form.scx";
bool AddFuzzForm(std::string_view input, MemoryFileSystem& files);

// Several named files: each starts with kFileMark, its name up to the next
// LF, then its bytes up to the next kFileMark or the end of the input. Bytes
// before the first mark are not read; files past `max_files` are dropped.
inline constexpr std::string_view kFileMark = "--QVX-FILE ";
struct NamedFile {
  std::string name;
  std::string_view bytes;
};
std::vector<NamedFile> SplitFiles(std::string_view input, std::size_t max_files);
// The input that SplitFiles splits into these files.
std::string JoinFiles(const std::vector<NamedFile>& files);

// The input as a std::string_view.
inline std::string_view InputBytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace quorvex
