// Inputs are opened read-only and shared: the program that made a form may
// keep it open, write it, rename and delete it while Quorvex reads it.

#include <windows.h>

#include <gtest/gtest.h>

#include "support/golden.h"
#include "table/file_system.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(RealFileWindows, AFormKeptOpenByItsWriterIsReadAndStaysItsWriters) {
  TempDir dir;
  const fs::path form = dir.path() / u8"\u0444\u043E\u0440\u043C\u0430.scx";
  WriteFileBytes(form, "0123456789");
  const HANDLE writer = CreateFileW(form.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  const std::unique_ptr<RandomAccessFile> file = RealFileSystem().OpenForReading(Utf8Name(form));
  ASSERT_NE(file, nullptr);
  char bytes[10];
  EXPECT_EQ(file->ReadAt(0, bytes), 10u);
  EXPECT_EQ(std::string(bytes, 10), "0123456789");

  SetFilePointer(writer, 0, nullptr, FILE_END);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(writer, "AB", 2, &written, nullptr));
  CloseHandle(writer);
  EXPECT_EQ(file->Size(), 12u);
  const fs::path renamed = dir.path() / "renamed.scx";
  EXPECT_TRUE(MoveFileW(form.c_str(), renamed.c_str()));
  EXPECT_TRUE(DeleteFileW(renamed.c_str()));
}

}  // namespace
}  // namespace quorvex::testing
