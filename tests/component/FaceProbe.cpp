// A host that calls the C entry where a window may not open, one way per run:
// it prints the answer of vbr_face_show and the last error's text.
#include "../outsidehost/OutsideComponents.h"

#include <vellbatchrule/vbr.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <optional>

int main(int argc, char* argv[])
{
    const char* mode = argc > 1 ? argv[1] : "";
    outside_register_components();
    std::optional<QCoreApplication> core;
    if (std::strcmp(mode, "core-application") == 0)
        core.emplace(argc, argv);
    vbr_face* first = vbr_face_create();
    vbr_face* shown = first;
    if (std::strcmp(mode, "two-faces") == 0) {
        // The second object's window must still find its connection after the first is released.
        outside_close_main_window_after(300);
        shown = vbr_face_create();
        vbr_face_release(first);
    }
    const int answer = vbr_face_show(shown);
    std::printf("%d %s\n", answer, vbr_last_error_text());
    vbr_face_release(shown);
    return 0;
}
