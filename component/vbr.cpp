#include "vbr.h"

#include "BatRuleFace.h"
#include "CHostComponents.h"
#include "HostError.h"
#include "HostErrors.h"
#include "StockComponents.h"

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

// A table is taken only whole.
template <typename Register>
int Registered(bool whole, Register registerIt)
{
    return Guarded([&] {
        if (!whole)
            throw HostError(HostErrors::InvalidCall, QStringLiteral("The host's table lacks one of its functions"),
                            QStringLiteral("vbr_register"));
        registerIt();
    }) ? 0 : -1;
}

}

extern "C" {

vbr_face* vbr_open(const char* connection, const char* props)
{
    vbr_face* face = nullptr;
    Guarded([&] {
        StockSettings settings;
        settings.connection = QString::fromUtf8(connection ? connection : "");
        settings.propsString = QString::fromUtf8(props ? props : "");
        UseStockComponents(settings);
        face = new vbr_face;
    });
    return face;
}

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
            throw HostError(HostErrors::ObjectNotSet, QStringLiteral("No entry object was given"), kSource);
        // Qt aborts the host where no window can open: refuse first, and say why.
        if (QCoreApplication* existing = QCoreApplication::instance()) {
            if (!qobject_cast<QApplication*>(existing))
                throw HostError(HostErrors::InvalidCall,
                                QStringLiteral("The host's application object is no QApplication: "
                                               "the main window needs one"),
                                kSource);
            if (existing->thread() != QThread::currentThread())
                throw HostError(HostErrors::InvalidCall,
                                QStringLiteral("The main window opens only on the thread of the "
                                               "host's QApplication"),
                                kSource);
        } else if (const QString problem = WindowSystemProblem(); !problem.isEmpty()) {
            throw HostError(HostErrors::InvalidCall, QStringLiteral("Cannot show the main window: ") + problem,
                            kSource);
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

void vbr_fail(vbr_call* call, int number, const char* text)
{
    call->failure = number;
    call->failureText = QString::fromUtf8(text ? text : "");
}

void vbr_add_column(vbr_call* call, const char* name)
{
    if (call->rows)
        vbr_fail(call, HostErrors::InvalidCall, "A column was added after the first value");
    else
        call->columns.append(QString::fromUtf8(name ? name : ""));
}

void vbr_add_text(vbr_call* call, const char* value)
{
    if (value)
        call->Rows().AppendText(QByteArrayView(value));
    else
        call->Rows().AppendNull();
}

void vbr_add_integer(vbr_call* call, long long value)
{
    call->Rows().AppendInteger(value);
}

void vbr_add_real(vbr_call* call, double value)
{
    call->Rows().AppendReal(value);
}

void vbr_add_null(vbr_call* call)
{
    call->Rows().AppendNull();
}

void vbr_answer_text(vbr_call* call, const char* text)
{
    call->text = QString::fromUtf8(text ? text : "");
}

int vbr_register_connection(const vbr_connection_functions* f)
{
    return Registered(f && f->execute && f->begin_trans && f->commit_trans && f->rollback_trans,
                      [&] { RegisterCConnection(*f); });
}

int vbr_register_message_box(const vbr_message_box_functions* f)
{
    return Registered(f && f->show, [&] { RegisterCMessageBox(*f); });
}

int vbr_register_data_access(const vbr_data_access_functions* f)
{
    return Registered(f && f->is_restricted && f->restriction, [&] { RegisterCDataAccess(*f); });
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
