#pragma once

#include "VellBatchRuleExport.h"

// Base of every outside component the system creates by its registered name.
class VELLBATCHRULE_EXPORT HostComponent {
public:
    virtual ~HostComponent() = default;
};
