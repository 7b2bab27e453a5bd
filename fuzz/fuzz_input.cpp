#include "fuzz_input.h"

#include <algorithm>

namespace quorvex {

bool SplitTableAndMemo(std::string_view input, TableAndMemo& parts) {
  if (input.size() < 4) return false;
  std::size_t stated = 0;
  for (int i = 3; i >= 0; --i) stated = stated << 8 | static_cast<std::uint8_t>(input[i]);
  const std::string_view rest = input.substr(4);
  parts.table = rest.substr(0, stated);
  parts.memo = rest.substr(parts.table.size());
  return true;
}

std::string JoinTableAndMemo(std::string_view table, std::string_view memo) {
  std::string input;
  for (int i = 0; i < 4; ++i) input += static_cast<char>(table.size() >> (8 * i) & 0xFF);
  input += table;
  input += memo;
  return input;
}

bool AddFuzzForm(std::string_view input, MemoryFileSystem& files) {
  TableAndMemo parts;
  if (!SplitTableAndMemo(input, parts)) return false;
  files.AddFile(kFuzzForm, parts.table);
  files.AddFile("/fuzz/form.sct", parts.memo);
  return true;
}

std::vector<NamedFile> SplitFiles(std::string_view input, std::size_t max_files) {
  std::vector<NamedFile> files;
  std::size_t mark = input.find(kFileMark);
  while (mark != std::string_view::npos && files.size() < max_files) {
    const std::size_t name_start = mark + kFileMark.size();
    const std::size_t name_end = std::min(input.find('\n', name_start), input.size());
    const std::size_t bytes_start = std::min(name_end + 1, input.size());
    const std::size_t next = input.find(kFileMark, bytes_start);
    const std::size_t bytes_end = next == std::string_view::npos ? input.size() : next;
    files.push_back({std::string(input.substr(name_start, name_end - name_start)),
                     input.substr(bytes_start, bytes_end - bytes_start)});
    mark = next;
  }
  return files;
}

std::string JoinFiles(const std::vector<NamedFile>& files) {
  std::string input;
  for (const NamedFile& file : files) {
    input += kFileMark;
    input += file.name;
    input += '\n';
    input += file.bytes;
  }
  return input;
}

}  // namespace quorvex
