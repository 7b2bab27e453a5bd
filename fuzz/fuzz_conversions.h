#pragma once
// The conversions that the fuzz targets drive on a form held in a file
// system (a MemoryFileSystem), each step as a run takes it. Failures the
// system reports as its own exceptions are what damaged input should give;
// a broken promise of the output aborts, and any other exception escapes to
// the fuzzer, which counts it as a fault like a crash.

#include <string>
#include <string_view>

#include "loadable/loadable_conversion.h"
#include "table/file_system.h"

namespace quorvex {

// The default conversion: object tree (printed as --stage tree prints it),
// object text, DFM text, unit and canonical text, in the code page of the
// table's mark.
void ConvertDefault(FileSystem& files, const std::string& form_path);

// The loadable conversion, its records expanded by `expand_records` when
// given, the pictures its settings name read from `files`. Aborts unless
// every .dfm text it makes reads back unchanged in the canonical layout with
// ASCII-only strings (but for the case below, which Delphi's and Lazarus'
// readers accept).
void ConvertLoadable(FileSystem& files, const std::string& form_path, RecordExpansion expand_records = {});

// A known limit of the form-stream grammar: a wide string whose first cut
// line holds only codes below 256 prints as an 8-bit piece continued by wide
// ones, which the grammar does not join, so reading the printed text fails
// with "String expected" on the line after a " +". True when `message`, the
// failure of reading `text`, is that one.
bool IsWideStringContinuation(std::string_view text, const std::string& message);

}  // namespace quorvex
