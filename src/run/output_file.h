#pragma once
// Where a conversion's output goes and how it is written.

#include <string>
#include <string_view>

#include "base/text_list.h"

namespace quorvex {

// Creates the directory and every missing parent; a trailing delimiter is
// ignored and an existing directory accepted. Throws
// Exception("Cannot create " + directory) when it cannot be made.
void ForceOutputDirectory(const std::string& directory);

// The directory text with a path delimiter at its end (added when missing).
std::string WithTrailingDelimiter(std::string directory);

// The name without its directory (the text after the last path delimiter).
std::string ExtractFileName(std::string_view path);

// The name with its extension (the text from the last "." of its file name
// on) replaced by `extension`; a name without one gets `extension` appended.
std::string ChangeFileExt(std::string_view name, std::string_view extension);

// Writes every line followed by CR LF, bytes unchanged, no byte-order mark. The
// text goes to a temporary file beside `path` that is then renamed over it, so
// a failure or a kill never leaves a half-written file in place of a good one.
// A target marked read-only is not replaced. Throws
// Exception("Cannot create file " + path) on any failure; the temporary file
// is removed then. Stale temporary files beside `path` (temporary_files.h)
// are removed first.
void SaveLinesToFile(const TextList& lines, const std::string& path);

// As SaveLinesToFile, for a text written exactly as given.
void SaveTextToFile(std::string_view text, const std::string& path);

}  // namespace quorvex
