#pragma once
// Inputs the benchmarks share: the real forms of the shared corpus, forms and
// form texts generated at any size, and whole-file reads and writes done the
// plain way, as the floor a converter's own file work is measured against.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvex::bench {

// A folder of the system's temporary folder for one benchmark program.
std::filesystem::path ScratchFolder(const std::string& name);

// The .scx files of the shared corpus in path order; empty when it is absent.
std::vector<std::string> CorpusForms();

// `count` generated forms of `objects` objects each, written once into folder.
std::vector<std::string> GeneratedForms(const std::filesystem::path& folder, int count, int objects);

// One generated form of `objects` objects (the form and text boxes with the
// properties real forms carry, 1-byte memo blocks as Visual FoxPro often
// writes), written once to folder/objects_N.scx and .sct; returns the .scx path.
std::string GeneratedForm(const std::filesystem::path& folder, int objects);

// A DFM text of `components` edit boxes with eight properties each (strings
// cut over lines, sets, hexadecimal colours, integers): about 300 bytes each.
std::string GeneratedDfmText(int components);

// The .scx path with its memo file (.sct) beside it, when that exists.
std::vector<std::string> WithMemoFiles(const std::vector<std::string>& forms);

std::uint64_t TotalSize(const std::vector<std::string>& files);

// Whole-file reads and writes with one open, read or write calls of the
// whole size, and one close: what copying the bytes costs at least. Both
// throw std::runtime_error on failure. ReadWholeFile reuses `buffer`.
void ReadWholeFile(const std::string& path, std::string& buffer);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// A file's bytes (std::runtime_error when it cannot be read).
std::string FileBytes(const std::filesystem::path& path);

}  // namespace quorvex::bench
