// BatRuleFace::Show lives with the main window it runs: the entry class sits
// below the windows, which it cannot name from there.
#include "BatRuleFace.h"

#include "ModuleState.h"
#include "frmBatRuleMain.h"

void BatRuleFace::Show()
{
    CurrentModuleState().hostConnection = connection_;   // the thread's again, if another release took it
    frmBatRuleMain window;
    window.Form_Load();
    window.ShowModal();
}
