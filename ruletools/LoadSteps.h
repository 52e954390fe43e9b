#pragma once

namespace vellbatchrule {

// The steps of the main window's load that need no window: they prepare the
// thread as the window leaves it for the ledger and the rule editor.
namespace LoadSteps {

// The host's property string, parsed into the session. A repeated key throws HostError.
void ReadSession();

// The property catalogue, filled afresh in the session's language.
void LoadCatalogue();

}

}
