#include "vbr.h"

#include "BatRuleFace.h"
#include "BatchNumberIssuer.h"
#include "CHostComponents.h"
#include "HostError.h"
#include "HostErrors.h"
#include "RuleAdmin.h"
#include "StockComponents.h"

#include <QApplication>
#include <QThread>

#include <optional>
#include <string>

using namespace vellbatchrule;

struct vbr_face {
    BatRuleFace face;
};

struct vbr_issuer {
    std::unique_ptr<BatchNumberIssuer> issuer;
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

const QString kIssuerSource = QStringLiteral("vbr_issue");

// The answer of a call of the component, or its failure thrown for Guarded
// to keep as the thread's last error.
template <typename T>
const Result<T>& Expected(const Result<T>& result)
{
    if (!result)
        throw HostError(result.failure().number, result.failure().text, QStringLiteral("vellbatchrule"));
    return result;
}

// A step's status: what it answers, or VBR_FAILED after any failure.
template <typename Step>
int Status(Step step)
{
    int status = VBR_FAILED;
    Guarded([&] { status = step(); });
    return status;
}

RuleAdmin::Target TargetOf(int itemId, int groupId)
{
    if (itemId > 0)
        return {itemId, std::nullopt};
    return {std::nullopt, groupId};
}

RuleAdmin::OwnRules OwnRulesOf(int ownRules)
{
    return ownRules == 1 ? RuleAdmin::OwnRules::Replace
         : ownRules == 2 ? RuleAdmin::OwnRules::Spare
                         : RuleAdmin::OwnRules::AsStored;
}

void Hand(const QString& text, auto each, void* context)
{
    if (each)
        each(context, text.toUtf8().constData());
}

BatchNumberIssuer::Document DocumentOf(const vbr_document* given)
{
    BatchNumberIssuer::Document document;
    if (!given)
        return document;
    if (given->date) {
        document.date = QDate::fromString(QString::fromUtf8(given->date), Qt::ISODate);
        if (!document.date->isValid())
            throw HostError(HostErrors::InvalidCall, QStringLiteral("The date is no YYYY-MM-DD"), kIssuerSource);
    }
    if (given->line > 0)
        document.line = given->line;
    for (int i = 0; given->values && i < given->value_count; ++i) {
        const QString value = QString::fromUtf8(given->values[i] ? given->values[i] : "");
        const qsizetype equals = value.indexOf(QLatin1Char('='));
        if (equals <= 0)
            throw HostError(HostErrors::InvalidCall, QStringLiteral("A value is no PROPERTY=TEXT"), kIssuerSource);
        document.values.append({value.left(equals), value.mid(equals + 1)});
    }
    return document;
}

BatchNumberIssuer& IssuerOf(vbr_issuer* issuer)
{
    if (!issuer)
        throw HostError(HostErrors::ObjectNotSet, QStringLiteral("No issuer was given"), kIssuerSource);
    return *issuer->issuer;
}

// A table is taken only whole, and only in a layout this library knows.
template <typename Table, typename Register>
int Registered(const Table* table, bool whole, Register registerIt)
{
    return Guarded([&] {
        if (table && (table->version < 1 || table->version > VBR_TABLE_VERSION))
            throw HostError(HostErrors::InvalidCall,
                            QStringLiteral("The host's table is of version %1; this library knows 1 to %2")
                                .arg(table->version)
                                .arg(VBR_TABLE_VERSION),
                            QStringLiteral("vbr_register"));
        if (!table || !whole)
            throw HostError(HostErrors::InvalidCall, QStringLiteral("The host's table lacks one of its functions"),
                            QStringLiteral("vbr_register"));
        registerIt();
    }) ? VBR_OK : VBR_FAILED;
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
    return shown ? VBR_OK : VBR_FAILED;
}

void vbr_face_release(vbr_face* face)
{
    delete face;
}

vbr_issuer* vbr_issuer_open(int item_id)
{
    vbr_issuer* opened = nullptr;
    Guarded([&] {
        auto issuer = BatchNumberIssuer::Open(item_id);
        Expected(issuer);
        opened = new vbr_issuer{std::move(*issuer)};
    });
    return opened;
}

void vbr_issuer_release(vbr_issuer* issuer)
{
    delete issuer;
}

int vbr_issue(vbr_issuer* issuer, const vbr_document* document, int count, vbr_number_callback each, void* context)
{
    return Status([&] {
        const auto issued = IssuerOf(issuer).Issue(DocumentOf(document), count);
        for (const QString& number : Expected(issued)->numbers)
            Hand(number, each, context);
        return issued->note.isEmpty() ? VBR_OK : VBR_REPEATS;
    });
}

int vbr_peek(vbr_issuer* issuer, const vbr_document* document, vbr_number_callback each, void* context)
{
    return Status([&] {
        Hand(*Expected(IssuerOf(issuer).Peek(DocumentOf(document))), each, context);
        return VBR_OK;
    });
}

int vbr_create_counter_table(void)
{
    return Status([&] { return *Expected(BatchNumberIssuer::CreateCounterTable()) ? VBR_OK : VBR_ALREADY_THERE; });
}

int vbr_show_rule(int item_id, int group_id, vbr_text_callback each, void* context)
{
    return Status([&] {
        Hand(Expected(RuleAdmin::ShowRule(TargetOf(item_id, group_id)))->text, each, context);
        return VBR_OK;
    });
}

int vbr_set_rule(int item_id, int group_id, const char* const* elements, int element_count, int own_rules)
{
    return Status([&] {
        QStringList given;
        for (int i = 0; elements && i < element_count; ++i)
            given << QString::fromUtf8(elements[i] ? elements[i] : "");
        Expected(RuleAdmin::SetRule(TargetOf(item_id, group_id), given, OwnRulesOf(own_rules)));
        return VBR_OK;
    });
}

int vbr_import_rules(const char* file, int own_rules, int dry_run, vbr_text_callback each, void* context)
{
    return Status([&] {
        const auto report = RuleAdmin::ImportRules(QString::fromUtf8(file ? file : ""), OwnRulesOf(own_rules), dry_run);
        for (const QString& line : Expected(report)->spread)
            Hand(line, each, context);
        Hand(report->summary, each, context);
        return VBR_OK;
    });
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
    return Registered(f, f && f->execute && f->begin_trans && f->commit_trans && f->rollback_trans,
                      [&] { RegisterCConnection(*f); });
}

int vbr_register_message_box(const vbr_message_box_functions* f)
{
    return Registered(f, f && f->show, [&] { RegisterCMessageBox(*f); });
}

int vbr_register_data_access(const vbr_data_access_functions* f)
{
    return Registered(f, f && f->is_restricted && f->restriction, [&] { RegisterCDataAccess(*f); });
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
