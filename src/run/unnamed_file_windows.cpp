#include "run/unnamed_file.h"

namespace quorvex {

// On Windows every file has a name from the moment it is made: outputs are
// written under temporary names (new_file_windows.cpp).
UnnamedFile UnnamedFile::Write(const std::filesystem::path&, std::string_view) { return {}; }
bool UnnamedFile::Place(const std::filesystem::path&, const std::filesystem::path&) { return false; }
void UnnamedFile::Close() noexcept {}

}  // namespace quorvex
