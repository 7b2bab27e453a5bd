#pragma once
// Shared helpers of the table tests: the kind and message of a failure, and
// forms built in a MemoryFileSystem under fixed full names.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <typeinfo>

#include "fixtures/scx_writer.h"
#include "base/errors.h"
#include "table/memory_file_system.h"
#include "table/open_file_registry.h"
#include "table/table_dataset.h"

namespace quorvex::testing {

// "Kind: message" of the exception f throws, or "no failure".
inline std::string FailureOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const ETableEncryption& e) {
    return std::string("ETableEncryption: ") + e.what();
  } catch (const ETableError& e) {
    return std::string("ETableError: ") + e.what();
  } catch (const EDatabaseError& e) {
    return std::string("EDatabaseError: ") + e.what();
  } catch (const std::exception& e) {
    return std::string(typeid(e).name()) + ": " + e.what();
  }
  return "no failure";
}

// The folder of the in-memory files, as a complete name on this system: names
// are completed as real ones are, and on Windows a name needs a drive.
#ifdef _WIN32
#define MEM_DIR "C:\\mem\\"
#else
#define MEM_DIR "/mem/"
#endif

inline constexpr const char* kScx = MEM_DIR "form.scx";
inline constexpr const char* kSct = MEM_DIR "form.sct";

// A built form placed in memory as MEM_DIR form.scx and form.sct.
struct MemoryForm {
  explicit MemoryForm(const fixtures::TableFiles& built) { Put(built); }
  explicit MemoryForm(const fixtures::ScxWriter& writer) { Put(writer.Build()); }

  void Put(const fixtures::TableFiles& built, const char* memo_name = kSct) {
    files.AddFile(kScx, built.table);
    files.AddFile(memo_name, built.memo);
  }

  // A dataset opened on the form (failures propagate).
  std::unique_ptr<TableDataSet> Open() {
    auto dataset = std::make_unique<TableDataSet>("TableDataSet1", files);
    dataset->SetTableName(kScx);
    dataset->Open();
    return dataset;
  }

  MemoryFileSystem files;
};

// The record numbers a First/Next walk reaches.
inline std::vector<int> WalkRecNos(TableDataSet& dataset) {
  std::vector<int> numbers;
  for (dataset.First(); !dataset.Eof(); dataset.Next()) numbers.push_back(dataset.RecNo());
  return numbers;
}

}  // namespace quorvex::testing
