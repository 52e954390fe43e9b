#include "BatRuleFace.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "ModuleState.h"

BatRuleFace::BatRuleFace()
{
    // A failure here fails the creation, as the host expects.
    connection_ = ComponentRegistry::Instance().Create<AppConnection>(ComponentNames::AppConnection);
    CurrentModuleState().hostConnection = connection_;
}

BatRuleFace::~BatRuleFace()
{
    CurrentModuleState().hostConnection.reset();
}
