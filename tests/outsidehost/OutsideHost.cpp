// A C++ host: creates the entry class, shows the main window, releases it.
#include "OutsideComponents.h"

#include <vellbatchrule/BatRuleFace.h>
#include <vellbatchrule/HostError.h>

#include <cstdio>

using namespace vellbatchrule;

int main()
{
    outside_register_components();
    outside_close_main_window_after(300);
    try {
        BatRuleFace face;
        face.Show();
    } catch (const HostError& error) {
        std::printf("failed: %s\n", qPrintable(error.Description()));
        return 1;
    }
    std::printf("shown and released\n");
    return 0;
}
