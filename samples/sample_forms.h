#pragma once
// The sample forms in samples/: small Visual FoxPro forms made with the
// fixture writer, one per kind of container the conversion handles.

#include <string>
#include <vector>

#include "fixtures/scx_writer.h"

namespace quorvex::samples {

struct SampleForm {
  std::string name;  // base name of the .scx/.sct pair
  fixtures::ScxWriter writer;
};

// plain, grid, pageframe, optiongroup, formset.
std::vector<SampleForm> SampleForms();

}  // namespace quorvex::samples
