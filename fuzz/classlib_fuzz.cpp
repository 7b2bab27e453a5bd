// A form with its class libraries. The input holds up to eight files
// (SplitFiles): the form's table first, then its memo file and up to three
// libraries (.vcx + .vct) whose CLASSLOC values point at each other, each
// named by a path below /fuzz/app/ (seeds keep the layout of their
// application, so relative CLASSLOCs resolve). The form is converted in the
// default mode and in the loadable mode with its class instances expanded as
// a run expands them (ClassLibraryExpansion), libraries found by CLASSLOC from
// the file holding the record, by file name beside it and beside the form,
// and by searching /fuzz/app as a -L folder.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_conversions.h"
#include "fuzz_input.h"
#include "run/class_library_expansion.h"
#include "table/memory_file_system.h"

namespace {

constexpr const char* kApp = "/fuzz/app/";
constexpr std::size_t kMaxFiles = 8;
constexpr std::size_t kMaxNameLength = 128;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<quorvex::NamedFile> parts = quorvex::SplitFiles(quorvex::InputBytes(data, size), kMaxFiles);
  quorvex::MemoryFileSystem files;
  for (const quorvex::NamedFile& part : parts) {
    if (!part.name.empty() && part.name.size() <= kMaxNameLength) files.AddFile(kApp + part.name, part.bytes);
  }
  if (parts.empty() || !files.Exists(kApp + parts.front().name)) return 0;
  const std::string form = kApp + parts.front().name;

  quorvex::ConvertDefault(files, form);
  quorvex::ConvertLoadable(files, form,
                           quorvex::ClassLibraryExpansion(std::make_shared<quorvex::ClassLibraryCache>(
                               files, std::vector<std::string>{kApp})));
  return 0;
}
