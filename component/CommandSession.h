#pragma once

#include "BatRuleFace.h"
#include "LoadSteps.h"

namespace vellbatchrule {

// What a command does before it works, as a host and the main window's load
// would: the entry class gives the thread its connection, then the session
// is read and the property catalogue filled.
class CommandSession {
public:
    CommandSession()
    {
        LoadSteps::ReadSession();
        LoadSteps::LoadCatalogue();
    }

private:
    BatRuleFace face_;
};

}
