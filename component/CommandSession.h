#pragma once

#include "BatRuleFace.h"
#include "CommandGuard.h"
#include "LoadSteps.h"
#include "RuleAdmin.h"

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

// The work's answer in a session of its own, or nothing after a failure shown.
template <typename Work>
auto InSession(Work work)
{
    return CommandGuard::Attempt([&] {
        CommandSession session;
        return work();
    });
}

// The batch option BatchItemIsTop as a command sets it: -1 keeps the stored one.
inline int ItemIsTopOf(RuleAdmin::OwnRules ownRules)
{
    return ownRules == RuleAdmin::OwnRules::AsStored ? -1 : ownRules == RuleAdmin::OwnRules::Spare ? 1 : 0;
}

}
