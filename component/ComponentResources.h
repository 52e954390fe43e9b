#pragma once

#include "VellBatchRuleExport.h"

#include <QString>

namespace vellbatchrule {

// Where the component's translations/ and help/ are: beside the library in
// the build tree, in the data folder the library was installed with otherwise.
VELLBATCHRULE_EXPORT QString ComponentResourceDir();

}
