#include "cli/console_windows.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "base/file_path.h"

namespace quorvex {

namespace {

std::atomic<bool>* g_interrupted = nullptr;

// Runs on a thread Windows makes for it; it only sets the flag the run looks at.
BOOL WINAPI OnCtrl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  return g_interrupted->exchange(true) ? FALSE : TRUE;  // FALSE: the default, which ends the process
}

// How much of `text` is whole UTF-8 characters: all of it but a character
// whose last bytes have not come yet. Bytes that are not UTF-8 count as whole
// (they are handed on, to become U+FFFD).
std::size_t WholeCharacters(std::string_view text) {
  const std::size_t last = std::min<std::size_t>(4, text.size());
  for (std::size_t back = 1; back <= last; ++back) {
    const auto byte = static_cast<unsigned char>(text[text.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    const std::size_t length = byte >= 0xF5 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 1;
    return length > back ? text.size() - back : text.size();
  }
  return text.size();
}

void WriteToConsole(HANDLE console, std::wstring_view text) {
  while (!text.empty()) {
    DWORD written = 0;
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1 << 14));
    if (!WriteConsoleW(console, text.data(), count, &written, nullptr) || written == 0) return;
    text.remove_prefix(written);
  }
}

// A buffer writing to the console behind `which`, or nothing when that
// stream is not a console (a file, a pipe, NUL: they get the UTF-8 bytes).
std::unique_ptr<Utf16Buffer> ConsoleBuffer(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return nullptr;
  return std::make_unique<Utf16Buffer>([handle](std::wstring_view text) { WriteToConsole(handle, text); });
}

}  // namespace

std::vector<std::string> CommandLineArguments(const wchar_t* command_line) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** split = CommandLineToArgvW(command_line, &count);
  if (split == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8OfWide(split[i]));
  LocalFree(split);
  return arguments;
}

void CatchCtrlC(std::atomic<bool>& interrupted) {
  g_interrupted = &interrupted;
  SetConsoleCtrlHandler(OnCtrl, TRUE);
}

Utf16Buffer::~Utf16Buffer() {
  if (!pending_.empty()) write_(WideText(pending_));
}

Utf16Buffer::int_type Utf16Buffer::overflow(int_type c) {
  if (!traits_type::eq_int_type(c, traits_type::eof())) pending_ += traits_type::to_char_type(c);
  return traits_type::not_eof(c);
}

std::streamsize Utf16Buffer::xsputn(const char* text, std::streamsize count) {
  pending_.append(text, static_cast<std::size_t>(count));
  return count;
}

int Utf16Buffer::sync() {
  const std::size_t whole = WholeCharacters(pending_);
  if (whole > 0) write_(WideText(std::string_view(pending_).substr(0, whole)));
  pending_.erase(0, whole);
  return 0;
}

StandardStreams::StandardStreams()
    : out_(ConsoleBuffer(STD_OUTPUT_HANDLE)),
      err_(ConsoleBuffer(STD_ERROR_HANDLE)),
      own_out_(std::cout.rdbuf()),
      own_err_(std::cerr.rdbuf()) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (out_) std::cout.rdbuf(out_.get());
  if (err_) std::cerr.rdbuf(err_.get());
}

StandardStreams::~StandardStreams() {
  std::cout.flush();
  std::cerr.flush();
  std::cout.rdbuf(own_out_);
  std::cerr.rdbuf(own_err_);
}

}  // namespace quorvex
