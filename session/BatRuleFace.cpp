#include "BatRuleFace.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "ModuleState.h"

BatRuleFace::BatRuleFace()
{
    // A failure here fails the creation, as the host expects.
    CurrentModuleState().hostConnection =
        ComponentRegistry::Instance().Create<AppConnection>(ComponentNames::AppConnection);
}

BatRuleFace::~BatRuleFace()
{
    CurrentModuleState().hostConnection.reset();
}
