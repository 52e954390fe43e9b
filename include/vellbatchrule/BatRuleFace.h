#pragma once

#include "VellBatchRuleExport.h"

#include <memory>

namespace vellbatchrule {

class AppConnection;

// The component's public entry class. Creating one gives the calling thread
// its host connection; releasing any one takes it away again. Each keeps
// the connection it made, so that its window still finds one after another
// object of the thread was released.
class VELLBATCHRULE_EXPORT BatRuleFace {
public:
    BatRuleFace();
    ~BatRuleFace();

    // Runs the main window modally; returns when the user closes it. An
    // error while the window loads reaches the caller as HostError. Needs a
    // QApplication.
    void Show();

    BatRuleFace(const BatRuleFace&) = delete;
    BatRuleFace& operator=(const BatRuleFace&) = delete;

private:
    std::shared_ptr<AppConnection> connection_;
};

}
