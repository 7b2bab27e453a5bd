// Runs a fuzz target's entry point on files, without libFuzzer, so that the
// normal build and its tests keep every checked-in input alive:
//   TARGET_replay SEEDS [MORE...]
// replays every file of each folder named, in name order. The first folder
// must hold at least one file, so a wrong path cannot pass unseen; later ones
// (inputs that once failed) may be absent. A fault ends the program as it
// would end the fuzzer; each input's name is written to stderr before it
// runs, so the output shows which one it was.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file()) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void Replay(const fs::path& file) {
  std::cerr << "replaying " << file.string() << '\n';
  std::ifstream stream(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: " << argv[0] << " SEEDS_FOLDER [FOLDER...]\n";
    return 2;
  }
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::vector<fs::path> files = FilesIn(argv[i]);
    if (i == 1 && files.empty()) {
      std::cerr << "no inputs in " << argv[i] << '\n';
      return 1;
    }
    for (const fs::path& file : files) Replay(file);
    replayed += files.size();
  }
  std::cout << replayed << " inputs replayed\n";
  return 0;
}
