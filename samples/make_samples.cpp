// Writes the sample forms (.scx and .sct) into the folder given, samples/ by
// default. The committed files are checked against these by the tests.

#include <exception>
#include <iostream>

#include "sample_forms.h"

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : "samples";
  try {
    for (const auto& sample : quorvex::samples::SampleForms()) {
      std::cout << sample.writer.WriteTo(folder, sample.name).string() << '\n';
    }
  } catch (const std::exception& failure) {
    std::cerr << "make_samples: " << failure.what() << '\n';
    return 1;
  }
  return 0;
}
