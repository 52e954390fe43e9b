#pragma once

#include "VellBatchRuleExport.h"

namespace vellbatchrule {

// Base of every outside component the system creates by its registered name.
class VELLBATCHRULE_EXPORT HostComponent {
public:
    virtual ~HostComponent() = default;
};

}
