#pragma once
// A form's data sources. Each cursor of the data environment becomes a
// TDataSource named after its alias ("customer" gives dsCustomer), its
// DataSet left for the developer to choose: which database components stand
// for FoxPro's tables is theirs to decide. The cursor's settings (table,
// database, order, filter, buffering, ...) and the relations whose child it
// is are kept as comments beside it. An alias that the form's controls or
// grids are bound to but no cursor opens is opened by the form's code: it
// gets a data source too, marked as such. Every bound component then names
// its alias's data source (DataSource) and its field (DataField).

#include <string>
#include <vector>

#include "binding/data_environment.h"
#include "model/component_model.h"
#include "model/pascal_names.h"

namespace quorvex {

// Adds the data sources to `form` after its components (identifiers from
// `names`, which has given out the components' already) and binds its
// components; records them in form.data_sources. `holder` is the path
// FoxPro's code reaches the data environment's holder by: "thisform", or
// "thisformset" for the forms of a form set.
void AddDataSources(LoadableForm& form, const DataEnvironment& environment, const std::string& holder,
                    UniqueNames& names);

// The components of `form` bound to a data source, in the order of the text.
std::vector<BoundControl> BoundControls(const LoadableForm& form);

}  // namespace quorvex
