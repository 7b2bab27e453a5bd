#pragma once
// What quorvex-convert needs of Windows itself (built for Windows only): the
// command line as Windows hands it over, in UTF-16; Ctrl+C from the console;
// and a console that shows the UTF-8 report and progress as characters.

#include <atomic>
#include <functional>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// The arguments of a command line as Windows splits it (CommandLineToArgvW:
// quotes, backslashes before quotes), without the program's name, in UTF-8.
// main() passes GetCommandLineW(): argv holds the arguments in the ANSI code
// page, which cannot spell every file name.
std::vector<std::string> CommandLineArguments(const wchar_t* command_line);

// Makes the first Ctrl+C or Ctrl+Break of the console set `interrupted`,
// which the run takes as Cancel; the next one ends the process, as Windows
// does without a handler. `interrupted` must live as long as the process.
void CatchCtrlC(std::atomic<bool>& interrupted);

// A stream buffer that hands UTF-8 text on in UTF-16 at each flush, whole
// characters only: a character cut off at the end of one write waits for the
// rest of its bytes (what still waits when the buffer goes is handed on as it
// is). For a console, whose own code page (437, 850, ...) would garble UTF-8.
class Utf16Buffer final : public std::streambuf {
 public:
  explicit Utf16Buffer(std::function<void(std::wstring_view)> write) : write_(std::move(write)) {}
  ~Utf16Buffer() override;
  Utf16Buffer(const Utf16Buffer&) = delete;
  Utf16Buffer& operator=(const Utf16Buffer&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  std::function<void(std::wstring_view)> write_;
  std::string pending_;
};

// For the life of the object: the standard output and error streams in
// binary mode (LF stays LF and the stages' CR LF is written as it is), and
// each of them that is a console writing to it with WriteConsoleW. The
// streams' own buffers are back when the object is gone.
class StandardStreams {
 public:
  StandardStreams();
  ~StandardStreams();
  StandardStreams(const StandardStreams&) = delete;
  StandardStreams& operator=(const StandardStreams&) = delete;

  // True when the error stream is a console (the progress display is shown).
  bool ErrIsConsole() const { return err_ != nullptr; }

 private:
  std::unique_ptr<Utf16Buffer> out_, err_;
  std::streambuf* own_out_;
  std::streambuf* own_err_;
};

}  // namespace quorvex
