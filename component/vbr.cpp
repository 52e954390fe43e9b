#include "vbr.h"

#include "BatRuleFace.h"
#include "HostError.h"
#include "WindowCommands.h"

#include <QApplication>
#include <QThread>

#include <optional>
#include <string>

using namespace vellbatchrule;

struct vbr_face {
    BatRuleFace face;
};

namespace {

const QString kSource = QStringLiteral("vbr_face_show");
constexpr int kNoWindows = 5;   // "invalid procedure call": the call cannot be made here

thread_local std::string lastText;
thread_local int lastNumber = 0;

void Succeeded()
{
    lastText.clear();
    lastNumber = 0;
}

void Failed(int number, const std::string& text)
{
    lastNumber = number;
    lastText = text;
}

// Runs a step of the entry; every failure becomes the thread's last error.
template <typename Step>
bool Guarded(Step step)
{
    try {
        step();
        Succeeded();
        return true;
    } catch (const HostError& error) {
        Failed(error.Number(), error.Description().toStdString());
    } catch (const std::exception& error) {
        Failed(-1, error.what());
    }
    return false;
}

}

extern "C" {

vbr_face* vbr_face_create(void)
{
    vbr_face* face = nullptr;
    Guarded([&] { face = new vbr_face; });
    return face;
}

int vbr_face_show(vbr_face* face)
{
    const bool shown = Guarded([&] {
        if (!face)
            throw HostError(91, QStringLiteral("No entry object was given"), kSource);
        // Qt aborts the host where no window can open: refuse first, and say why.
        if (QCoreApplication* existing = QCoreApplication::instance()) {
            if (!qobject_cast<QApplication*>(existing))
                throw HostError(kNoWindows, QStringLiteral("The host's application object is no QApplication: "
                                                           "the main window needs one"), kSource);
            if (existing->thread() != QThread::currentThread())
                throw HostError(kNoWindows, QStringLiteral("The main window opens only on the thread of the "
                                                           "host's QApplication"), kSource);
        } else if (const QString problem = WindowCommands::WindowSystemProblem(); !problem.isEmpty()) {
            throw HostError(kNoWindows, QStringLiteral("Cannot show the main window: ") + problem, kSource);
        }
        std::optional<QApplication> app;
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "vellbatchrule";
            static char* argv[] = {name, nullptr};
            app.emplace(argc, argv);
        }
        face->face.Show();
    });
    return shown ? 0 : -1;
}

void vbr_face_release(vbr_face* face)
{
    delete face;
}

const char* vbr_last_error_text(void)
{
    return lastText.c_str();
}

int vbr_last_error_number(void)
{
    return lastNumber;
}

}
