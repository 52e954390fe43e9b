#pragma once

#include "AppConnection.h"
#include "CommandGuard.h"
#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "LoadSteps.h"
#include "ModuleState.h"
#include "RuleAdmin.h"

#include <memory>
#include <type_traits>
#include <utility>

namespace vellbatchrule {

// What a command does before it works, as the main window's load does: it
// opens the host connection and seats it for the Part's code of this
// thread, then reads the session and fills the property catalogue. The
// connection seated before comes back when the command ends.
class CommandSession {
public:
    CommandSession()
        : connection_(ComponentRegistry::Instance().Create<AppConnection>(ComponentNames::AppConnection)),
          seatedBefore_(std::exchange(CurrentModuleState().hostConnection, connection_))
    {
        LoadSteps::ReadSession();
        LoadSteps::LoadCatalogue();
    }
    ~CommandSession()
    {
        if (CurrentModuleState().hostConnection == connection_)
            CurrentModuleState().hostConnection = std::move(seatedBefore_);
    }
    CommandSession(const CommandSession&) = delete;
    CommandSession& operator=(const CommandSession&) = delete;

    AppConnection& Connection() const { return *connection_; }

private:
    std::shared_ptr<AppConnection> connection_;
    std::shared_ptr<AppConnection> seatedBefore_;
};

// The work's answer in a session of its own, or why it failed. Work that
// reaches the database itself takes the session, for its connection.
template <typename Work>
auto InSession(Work work)
{
    return CommandGuard::Attempt([&] {
        const CommandSession session;
        if constexpr (std::is_invocable_v<Work, const CommandSession&>)
            return work(session);
        else
            return work();
    });
}

// The batch option BatchItemIsTop as a command sets it: -1 keeps the stored one.
inline int ItemIsTopOf(RuleAdmin::OwnRules ownRules)
{
    return ownRules == RuleAdmin::OwnRules::AsStored ? -1 : ownRules == RuleAdmin::OwnRules::Spare ? 1 : 0;
}

}
