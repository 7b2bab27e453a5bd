// Writes the forms of code_forms.txt (layout in that file) with the fixture
// writer, tc_NAME.scx and .sct each, and translated_code.lpr: the Lazarus
// program that creates each converted form, calls the Click handler of its
// button cmdRun and checks the form afterwards.
//
// Usage: make_code_forms CODE_FORMS_TXT OUTDIR

#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "fixtures/scx_writer.h"

namespace {

using quorvex::fixtures::ScxRecord;
using quorvex::fixtures::ScxWriter;

struct CodeObject {
  std::string base_class;
  std::string name;
  std::string parent;  // below the form; "" for the form's own
  std::string properties;
  std::string methods;  // PROCEDURE ... ENDPROC blocks
};

struct CodeForm {
  std::string name;
  std::string form_properties;  // its own properties' "NAME = VALUE" lines
  std::string form_reserved3;   // and their names, as RESERVED3 lists them
  std::string form_methods;
  std::vector<CodeObject> objects;
  std::vector<std::string> expects;
};

// "\xHH" in the data file is a byte of the form's code page.
std::string Bytes(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
      bytes += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

std::string& MethodsOf(CodeForm& form, const std::string& object) {
  if (object == "form") return form.form_methods;
  for (CodeObject& each : form.objects) {
    if (each.name == object) return each.methods;
  }
  throw std::runtime_error("no object " + object + " in form " + form.name);
}

std::vector<CodeForm> ReadForms(std::istream& in) {
  std::vector<CodeForm> forms;
  std::string line;
  std::string* code = nullptr;      // the method being read
  std::string* properties = nullptr;  // the object being read
  const auto close_method = [&] {
    if (code != nullptr) *code += "ENDPROC\r\n";
    code = nullptr;
  };
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t indent = line.find_first_not_of(' ');
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (indent == 0 && word == "form") {
      close_method();
      forms.push_back({});
      words >> forms.back().name;
      forms.back().objects.push_back({"commandbutton", "cmdRun", "", "Caption = \"Run\"\r\n", ""});
    } else if (indent >= 4 && code != nullptr) {
      *code += Bytes(line.substr(4)) + "\r\n";
    } else if (indent >= 4 && properties != nullptr) {
      *properties += Bytes(line.substr(4)) + "\r\n";
    } else if (indent == 2 && word == "property") {
      close_method();
      properties = nullptr;
      std::string name;
      words >> name;
      forms.back().form_reserved3 += name + "\r\n";
      if (const std::size_t equals = line.find('='); equals != std::string::npos)
        forms.back().form_properties += Bytes(line.substr(line.find(name))) + "\r\n";
    } else if (word == "object") {
      close_method();
      CodeObject object;
      words >> object.base_class >> object.name >> object.parent;
      forms.back().objects.push_back(object);
      properties = &forms.back().objects.back().properties;
    } else if (word == "method" || word == "click") {
      close_method();
      properties = nullptr;
      std::string object = "cmdRun", name = "Click";
      if (word == "method") words >> object >> name;
      code = &MethodsOf(forms.back(), object);
      *code += "PROCEDURE " + name + "\r\n";
    } else if (word == "expect") {
      close_method();
      properties = nullptr;
      forms.back().expects.push_back(line.substr(line.find("expect") + 7));
    } else {
      throw std::runtime_error("cannot read: " + line);
    }
  }
  close_method();
  return forms;
}

void WriteForm(const CodeForm& form, const std::filesystem::path& folder) {
  const std::string root = "frm" + form.name;
  ScxWriter writer;
  writer.AddVersionComment().Add({.objname = root,
                                  .baseclass = "form",
                                  .class_name = "form",
                                  .properties = "Name = \"" + root + "\"\r\nCaption = \"" + form.name + "\"\r\n" +
                                                form.form_properties,
                                  .methods = form.form_methods,
                                  .other = {{"RESERVED3", form.form_reserved3}}});
  for (const CodeObject& object : form.objects) {
    writer.Add({.objname = object.name,
                .parent = object.parent.empty() ? root : root + "." + object.parent,
                .baseclass = object.base_class,
                .class_name = object.base_class,
                .properties = "Name = \"" + object.name + "\"\r\n" + object.properties,
                .methods = object.methods});
  }
  writer.WriteTo(folder, "tc_" + form.name);
}

std::string PascalQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'";
}

void WriteProgram(const std::vector<CodeForm>& forms, const std::filesystem::path& path) {
  std::ofstream out(path, std::ios::binary);
  out << "program translated_code;\n\n{$MODE DELPHI}{$H+}\n\nuses\n  {$IFDEF UNIX}cthreads,{$ENDIF}\n"
      << "  Interfaces, SysUtils, Forms, Graphics, FoxRuntime";
  for (const CodeForm& form : forms) out << ",\n  tc_" << form.name;
  out << ";\n\nvar\n  Checks: Integer = 0;\n  Failures: Integer = 0;\n\n"
      << "procedure Check(Ok: Boolean; const What: string);\nbegin\n  Inc(Checks);\n"
      << "  if Ok then Exit;\n  WriteLn('FAILED: ', What);\n  Inc(Failures);\nend;\n";
  for (const CodeForm& form : forms) {
    out << "\nprocedure Run" << form.name << ";\nvar\n  F: Tfrm" << form.name << ";\nbegin\n  F := Tfrm" << form.name
        << ".Create(nil);\n  try\n    try\n      F.cmdRunClick(F.cmdRun);\n    except\n"
        << "      on E: Exception do Check(False, '" << form.name << ": ' + E.ClassName + ': ' + E.Message);\n"
        << "    end;\n";
    for (const std::string& expect : form.expects)
      out << "    Check(" << expect << ", " << PascalQuoted(form.name + ": " + expect) << ");\n";
    out << "  finally\n    F.Free;\n  end;\nend;\n";
  }
  out << "\nbegin\n  Application.Initialize;\n";
  for (const CodeForm& form : forms) out << "  Run" << form.name << ";\n";
  out << "  WriteLn('translated_code: ', Checks, ' checks, ', Failures, ' failed');\n"
      << "  if Failures > 0 then Halt(1);\nend.\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_code_forms CODE_FORMS_TXT OUTDIR\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1]);
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    const std::vector<CodeForm> forms = ReadForms(in);
    const std::filesystem::path folder = argv[2];
    std::filesystem::create_directories(folder);
    for (const CodeForm& form : forms) WriteForm(form, folder);
    WriteProgram(forms, folder / "translated_code.lpr");
  } catch (const std::exception& failure) {
    std::cerr << "make_code_forms: " << failure.what() << '\n';
    return 1;
  }
  return 0;
}
