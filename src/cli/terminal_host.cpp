#include "cli/terminal_host.h"

#include <algorithm>
#include <ctime>

namespace quorvex {

namespace {

bool ContinuesCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::string TimeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

TerminalHost::TerminalHost(std::ostream& report, std::ostream& progress, bool quiet, bool show_progress,
                           const std::atomic<bool>& interrupted, std::function<void()> request_cancel)
    : report_(report),
      progress_(progress),
      quiet_(quiet),
      show_progress_(show_progress),
      interrupted_(interrupted),
      request_cancel_(std::move(request_cancel)) {}

void TerminalHost::AddReportLine(const std::string& text) {
  if (quiet_) return;
  ClearProgress();
  // A text ending in CR LF ("   Done") shows as its line and an empty one.
  std::string line = TimeOfDay() + text;
  std::string printed;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n') continue;
    printed += line[i];
  }
  report_ << printed << '\n' << std::flush;
  DrawProgress();
}

void TerminalHost::AddFailureLine(const std::string& message) { AddReportLine("   " + message); }

void TerminalHost::ProcessPendingEvents() {
  if (interrupted_ && !cancel_sent_) {
    cancel_sent_ = true;
    request_cancel_();
  }
}

void TerminalHost::FileProgress(int files_done, int files_total, const std::string& current_file) {
  if (!show_progress_) return;
  ClearProgress();
  progress_line_ = "[" + std::to_string(files_done) + "/" + std::to_string(files_total) + "]";
  // Kept to one terminal line, so that "\r" can take it back.
  constexpr std::size_t kMaxName = 60;
  if (current_file.size() > kMaxName) {
    std::size_t start = current_file.size() - kMaxName;
    while (start < current_file.size() && ContinuesCharacter(current_file[start])) ++start;  // whole characters
    progress_line_ += " ..." + current_file.substr(start);
  } else if (!current_file.empty()) {
    progress_line_ += " " + current_file;
  }
  if (files_done == files_total) progress_line_.clear();
  DrawProgress();
}

void TerminalHost::ClearProgress() {
  if (!show_progress_ || progress_line_.empty()) return;
#ifdef _WIN32
  // A Windows console erases a line on "\033[K" only in its virtual terminal
  // mode (Windows 10 on, when asked for); blanks over the line work in all,
  // one for each character shown (the line is UTF-8).
  const auto shown =
      std::count_if(progress_line_.begin(), progress_line_.end(), [](char c) { return !ContinuesCharacter(c); });
  progress_ << '\r' << std::string(static_cast<std::size_t>(shown), ' ') << '\r' << std::flush;
#else
  progress_ << "\r\033[K" << std::flush;
#endif
}

void TerminalHost::DrawProgress() {
  if (show_progress_ && !progress_line_.empty()) progress_ << progress_line_ << std::flush;
}

}  // namespace quorvex
