// What quorvex-convert takes from Windows itself: its arguments in UTF-16,
// the console's Ctrl+C, and text for the console in UTF-16.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/console_windows.h"

namespace quorvex::testing {
namespace {

TEST(ConsoleWindows, ArgumentsAreSplitAsWindowsSplitsThemInUtf8) {
  const struct {
    const wchar_t* command_line;
    std::vector<std::string> arguments;
  } rows[] = {
      {L"quorvex-convert.exe -o out forms", {"-o", "out", "forms"}},
      {L"\"C:\\Program Files\\q.exe\" \"D:\\My Forms\\main.scx\" -o D:\\out\\",
       {"D:\\My Forms\\main.scx", "-o", "D:\\out\\"}},
      {L"q.exe \"a\\\\\" b\\\"c", {"a\\", "b\"c"}},  // backslashes count only before a quote
      {L"q.exe \u0444\u043E\u0440\u043C\u0430.scx \u65E5\u672C.scx \U0001F600",
       {"\xD1\x84\xD0\xBE\xD1\x80\xD0\xBC\xD0\xB0.scx", "\xE6\x97\xA5\xE6\x9C\xAC.scx", "\xF0\x9F\x98\x80"}},
  };
  for (const auto& row : rows) EXPECT_EQ(CommandLineArguments(row.command_line), row.arguments);
}

TEST(ConsoleWindows, TheConsoleGetsWholeCharactersOnly) {
  std::wstring written;
  Utf16Buffer buffer([&](std::wstring_view text) { written += text; });
  std::ostream out(&buffer);
  out << "a\xD0" << std::flush;  // "ж" cut after its first byte
  EXPECT_EQ(written, L"a");
  out << "\xB6\xF0\x9F" << std::flush;
  EXPECT_EQ(written, L"a\u0436");
  out << "\x98\x80\xFF" << std::flush;  // a byte that is no UTF-8 is handed on, as U+FFFD
  EXPECT_EQ(written, L"a\u0436\U0001F600\uFFFD");
}

// What Windows runs on a thread of its own when Ctrl+C reaches the console:
// the handlers, the latest first, until one takes the event.
void PressCtrlC() {
  const auto routine = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CtrlRoutine")));
  ASSERT_NE(routine, nullptr);
  const HANDLE thread = CreateThread(nullptr, 0, routine, reinterpret_cast<void*>(CTRL_C_EVENT), 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

// The first Ctrl+C only sets the flag that cancels the run; the second is
// left to Windows, whose own handler ends the process (with
// STATUS_CONTROL_C_EXIT; Wine's with 0).
TEST(ConsoleWindowsDeathTest, FirstCtrlCCancelsTheSecondEndsTheProcess) {
  constexpr int kNotCaught = 2, kNotEnded = 3;
  EXPECT_EXIT(
      {
        static std::atomic<bool> interrupted{false};
        CatchCtrlC(interrupted);
        PressCtrlC();
        if (!interrupted) std::_Exit(kNotCaught);
        PressCtrlC();
        std::_Exit(kNotEnded);
      },
      [](int status) { return status != kNotCaught && status != kNotEnded; }, "");
}

}  // namespace
}  // namespace quorvex::testing
