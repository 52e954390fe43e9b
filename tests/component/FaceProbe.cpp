// A host that calls the C entry where a window may not open, one way per run,
// on its own connection through the C table: it prints the answer of
// vbr_face_show and the last error's text. With "tables" it registers
// message boxes of several table versions instead, printing each answer.
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
void NoBox(void*, const char*, const char*, int) {}

void RegisterTables()
{
    for (const int version : {0, VBR_TABLE_VERSION, VBR_TABLE_VERSION + 1}) {
        const vbr_message_box_functions box = {version, nullptr, NoBox};
        const int answer = vbr_register_message_box(&box);
        std::printf("version %d: %d %s\n", version, answer, vbr_last_error_text());
    }
    const vbr_message_box_functions lacking = {VBR_TABLE_VERSION, nullptr, nullptr};
    const int answer = vbr_register_message_box(&lacking);
    std::printf("lacking: %d %s\n", answer, vbr_last_error_text());
}

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
    if (std::strcmp(mode, "tables") == 0) {
        RegisterTables();
        return 0;
    }
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
