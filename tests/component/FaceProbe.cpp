// A host that calls the C entry where a window may not open, one way per run,
// on its own connection through the C table: it prints the answer of
// vbr_face_show and the last error's text.
#include <vellbatchrule/vbr.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

int NoRows(void*, const char*, vbr_call*) { return 0; }
int Done(void*, vbr_call*) { return 0; }

void CloseTheWindowSoon()
{
    QTimer::singleShot(300, [] {
        if (QWidget* window = QApplication::activeModalWidget())
            window->close();
    });
}

}

int main(int argc, char* argv[])
{
    const char* mode = argc > 1 ? argv[1] : "";
    const vbr_connection_functions connection = {VBR_TABLE_VERSION, nullptr, NoRows, Done, Done, Done};
    vbr_register_connection(&connection);
    std::optional<QCoreApplication> core;
    std::optional<QApplication> app;
    if (std::strcmp(mode, "core-application") == 0)
        core.emplace(argc, argv);
    vbr_face* first = vbr_open("", "UserID=16394;LANGUAGE=chs");
    vbr_face* shown = first;
    if (std::strcmp(mode, "two-faces") == 0) {
        // The second object's window must still find its connection after the first is released.
        app.emplace(argc, argv);
        CloseTheWindowSoon();
        shown = vbr_face_create();
        vbr_face_release(first);
    }
    const int answer = vbr_face_show(shown);
    std::printf("%d %s\n", answer, vbr_last_error_text());
    vbr_face_release(shown);
    return 0;
}
