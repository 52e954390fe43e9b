// BatRuleFace::Show lives with the main window it runs: the entry class sits
// below the windows, which it cannot name from there.
#include "BatRuleFace.h"

#include "frmBatRuleMain.h"

void BatRuleFace::Show()
{
    frmBatRuleMain window;
    window.Form_Load();
    window.ShowModal();
}
