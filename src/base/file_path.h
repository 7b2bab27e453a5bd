#pragma once
// File names are UTF-8 text in every part of Quorvex. These are the points
// where such a text meets the system's own form of a name: a
// std::filesystem::path made from a plain std::string reads it in the
// system's narrow encoding, which on Windows is the ANSI code page and not
// UTF-8, and gives it back so too.

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvex {

// The path a UTF-8 name stands for. On Windows a byte sequence that is not
// UTF-8 becomes U+FFFD (such a name then names no file); elsewhere the bytes
// are the name.
std::filesystem::path PathOf(std::string_view name);

// The path as UTF-8 text (on Windows an unpaired surrogate becomes U+FFFD).
std::string PathText(const std::filesystem::path& path);

// The delimiters between folders on this system; names are joined with the first.
#ifdef _WIN32
inline constexpr std::string_view kPathDelimiters = "\\/";
#else
inline constexpr std::string_view kPathDelimiters = "/";
#endif
inline constexpr char kPathDelimiter = kPathDelimiters.front();

// Whether the system's file names ignore letter case: there a file is found
// by any spelling of its name, and only a folder's listing gives its own.
#ifdef _WIN32
inline constexpr bool kNamesIgnoreCase = true;
#else
inline constexpr bool kNamesIgnoreCase = false;
#endif

constexpr bool IsPathDelimiter(char c) { return kPathDelimiters.find(c) != std::string_view::npos; }

// `name` with every delimiter of the other family of systems written as this
// one's: a FoxPro path "forms\main.scx" becomes "forms/main.scx" on POSIX
// systems, and "forms/main.scx" becomes "forms\main.scx" on Windows.
std::string WithNativeDelimiters(std::string name);

#ifdef _WIN32
// UTF-8 and the UTF-16 of the Windows API, each way.
std::wstring WideText(std::string_view utf8);
std::string Utf8OfWide(std::wstring_view wide);
#endif

}  // namespace quorvex
