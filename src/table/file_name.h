#pragma once
// File-name handling of the table layer: the normalised full name every
// message quotes, and the extension rules that derive a memo file's name and
// give a table name without extension its default one.
//
// Path delimiters are "/" and, for names written the Windows way, "\" and the
// drive colon; an extension is the text from the last "." after the last
// delimiter, dot included ("" when there is none, "." for a name ending in one).

#include <string>
#include <string_view>

namespace quorvex {

// The name every DiskFile works with. A name that contains two consecutive
// backslashes (a network share) or whose first ":" comes after its second
// character is used as given; any other name is made absolute against the
// current directory and lexically normalised ("a/./b/../c" -> "/cwd/a/c").
// An empty name, or one the system cannot make absolute, is returned as given.
std::string NormalizeFileName(std::string_view name);

// The extension with its dot, as described above.
std::string_view FileExtension(std::string_view name);

// The name with its extension replaced by extension (appended when it has none).
std::string ReplaceFileExtension(std::string_view name, std::string_view extension);

// The name without folder and extension: "/forms/FORM1.SCX" -> "FORM1".
std::string_view FileBaseName(std::string_view name);

}  // namespace quorvex
