#include "bench_inputs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "fixtures/scx_writer.h"

namespace quorvex::bench {

namespace fs = std::filesystem;
using fixtures::PropertyLines;

namespace {

std::runtime_error Failure(const std::string& what, const std::string& path) {
  return std::runtime_error(what + " " + path + ": " + std::error_code(errno, std::generic_category()).message());
}

fixtures::ScxWriter FormWriter(int objects) {
  fixtures::ScxWriter writer;
  writer.MemoBlockSize(1);
  writer.AddVersionComment().Add(
      {.objname = "Form1", .baseclass = "form", .class_name = "form",
       .properties = PropertyLines({"Height = 600", "Width = 800", "Caption = \"Generated\"", "Name = \"Form1\""})});
  for (int i = 1; i < objects; ++i) {
    const std::string name = "Text" + std::to_string(i);
    writer.Add({.objname = name, .parent = "Form1", .baseclass = "textbox", .class_name = "textbox",
                .properties = PropertyLines({"FontName = \"Tahoma\"", "BackColor = 255,255,192",
                                             "Height = 23", "Left = " + std::to_string(10 + i % 400),
                                             "Top = " + std::to_string(i % 500 * 20), "Width = 100",
                                             "Name = \"" + name + "\""})});
  }
  return writer;
}

}  // namespace

fs::path ScratchFolder(const std::string& name) { return fs::temp_directory_path() / ("quorvex_" + name); }

std::vector<std::string> CorpusForms() {
  std::vector<std::string> forms;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fs::path(QUORVEX_SHARED_DIR) / "corpus" / "forms", ec)) {
    if (entry.path().extension() == ".scx") forms.push_back(entry.path().string());
  }
  std::sort(forms.begin(), forms.end());
  return forms;
}

std::vector<std::string> GeneratedForms(const fs::path& folder, int count, int objects) {
  const fixtures::ScxWriter writer = FormWriter(objects);
  std::vector<std::string> forms;
  for (int f = 0; f < count; ++f) forms.push_back(writer.WriteTo(folder, "form" + std::to_string(f)).string());
  return forms;
}

std::string GeneratedForm(const fs::path& folder, int objects) {
  return FormWriter(objects).WriteTo(folder, "objects_" + std::to_string(objects)).string();
}

std::string GeneratedDfmText(int components) {
  std::string text = "object Form1: TForm1\r\n  Caption = 'Generated'\r\n";
  for (int i = 0; i < components; ++i) {
    const std::string n = std::to_string(i);
    text += "  object Edit" + n + ": TEdit\r\n";
    text += "    Left = " + std::to_string(8 + i % 500) + "\r\n";
    text += "    Top = " + std::to_string(16 + i % 300) + "\r\n";
    text += "    Color = $00C0DCC0\r\n";
    text += "    Font.Color = $000000FF\r\n";
    text += "    Font.Style = [fsBold, fsItalic]\r\n";
    text += "    Anchors = [akLeft, akTop, akRight]\r\n";
    text += "    Text = 'Field ''" + n + "'' of the customer record'\r\n";
    text += "    Hint = 'A hint long enough to be cut over two lines of the canonical text, number " + n + "'\r\n";
    text += "  end\r\n";
  }
  return text + "end\r\n";
}

std::vector<std::string> WithMemoFiles(const std::vector<std::string>& forms) {
  std::vector<std::string> files;
  for (const std::string& form : forms) {
    files.push_back(form);
    const std::string memo = fs::path(form).replace_extension(".sct").string();
    if (fs::exists(memo)) files.push_back(memo);
  }
  return files;
}

std::uint64_t TotalSize(const std::vector<std::string>& files) {
  std::uint64_t size = 0;
  for (const std::string& file : files) size += fs::file_size(file);
  return size;
}

void ReadWholeFile(const std::string& path, std::string& buffer) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Failure("cannot open", path);
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    ::close(fd);
    throw Failure("cannot stat", path);
  }
  buffer.resize(static_cast<std::size_t>(status.st_size));
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t got = ::read(fd, buffer.data() + done, buffer.size() - done);
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  if (done != buffer.size()) throw Failure("cannot read", path);
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw Failure("cannot create", path);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put <= 0) break;
    done += static_cast<std::size_t>(put);
  }
  const bool closed = ::close(fd) == 0;
  if (done != bytes.size() || !closed) throw Failure("cannot write", path);
}

std::string FileBytes(const fs::path& path) {
  std::string bytes;
  ReadWholeFile(path.string(), bytes);
  return bytes;
}

}  // namespace quorvex::bench
