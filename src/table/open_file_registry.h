#pragma once
// The list of every DiskFile that is open, program-wide. A DiskFile enters
// itself when it opens and leaves when it closes; when the program ends, the
// registry closes every file still entered. Several tables may be open at once
// on several threads, so every member is safe to call concurrently.

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace quorvex {

class DiskFile;

class OpenFileRegistry {
 public:
  // The program's registry, made on first use. It closes the files still
  // entered when static objects are destroyed at program end.
  static OpenFileRegistry& Instance();

  OpenFileRegistry() = default;
  ~OpenFileRegistry();
  OpenFileRegistry(const OpenFileRegistry&) = delete;
  OpenFileRegistry& operator=(const OpenFileRegistry&) = delete;

  void Enter(DiskFile* file);
  void Remove(DiskFile* file);

  std::size_t OpenCount() const;
  // Normalised names of the open files, in the order they were opened.
  std::vector<std::string> OpenFileNames() const;

  // Closes every entered file and empties the list. Only for the end of the
  // program: no other thread may be using its files meanwhile.
  void CloseAll();

 private:
  mutable std::mutex mutex_;
  std::vector<DiskFile*> files_;
};

}  // namespace quorvex
