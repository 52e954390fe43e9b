#include "BatRuleFace.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "ModuleState.h"
#include "frmBatRuleMain.h"

namespace vellbatchrule {

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

void BatRuleFace::Show()
{
    CurrentModuleState().hostConnection = connection_;   // the thread's again, if another release took it
    frmBatRuleMain window;
    window.Form_Load();
    window.ShowModal();
}

}
