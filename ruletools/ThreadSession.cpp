#include "ThreadSession.h"

#include "AppConnection.h"
#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "HostError.h"
#include "MMTS.h"
#include "ModuleState.h"

namespace vellbatchrule {

ThreadSession::ThreadSession()
{
    try {
        CurrentModuleState().hostConnection =
            ComponentRegistry::Instance().Create<AppConnection>(ComponentNames::AppConnection);
        MMTS::ParsePropsString(MMTS::GetPropsString());
    } catch (const HostError&) {
        CurrentModuleState() = ModuleState();
        throw;
    }
}

ThreadSession::~ThreadSession()
{
    CurrentModuleState() = ModuleState();
}

}
