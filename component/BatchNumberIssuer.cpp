#include "BatchNumberIssuer.h"

#include "BatchPreview.h"
#include "BatchSerial.h"
#include "CommandGuard.h"
#include "CommandSession.h"
#include "EditorTarget.h"
#include "HostError.h"
#include "HostText.h"
#include "MParse.h"
#include "ModuleState.h"
#include "PropertyCatalogue.h"
#include "RWDatabase.h"
#include "RecordsetRow.h"
#include "SerialCounter.h"
#include "StoredRules.h"

namespace vellbatchrule {

using namespace CommandGuard;

struct BatchNumberIssuer::Impl {
    CommandSession session;
    std::shared_ptr<AppConnection> connection = CurrentModuleState().hostConnection;
    qint32 itemId = 0;
    QString owner;            // number(name)
    QString materialNumber;
    QList<BatRuleStruct> elements;

    // The issuer's session is the thread's again, should another have been released since.
    AppConnection& Connection()
    {
        CurrentModuleState().hostConnection = connection;
        return *connection;
    }

    BatchSerial SerialFor(const Document& given) const
    {
        BatchDocument document;
        document.date = given.date.value_or(QDate::currentDate());
        document.line = given.line.value_or(1);
        document.values[PropertyIds::MaterialCode] = materialNumber;
        for (const auto& [property, value] : given.values) {
            const qint32 id = PropertyIdOf(property.trimmed());
            if (id <= 0)
                Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "属性“%1”不在属性目录中"), {HostText::Excerpt(property)});
            document.values[id] = value;
        }
        return BatchSerial(elements, document);
    }

    SerialCounter CounterOf(const BatchSerial& serial)
    {
        return SerialCounter(Connection(), itemId, serial.Rest(), serial.Start());
    }

    // A failure on the counter table because it is missing says what to do.
    template <typename Work>
    auto OnCounterTable(Work work)
    {
        try {
            return work();
        } catch (const HostError&) {
            if (!SerialCounter::TableExists(*connection))
                Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA",
                                         "数据库中没有批号流水号表ICBatchNoSerial，请先运行“vell-batchrule batch init”建立"));
            throw;
        }
    }

    void ExpectRoom(const BatchSerial& serial, qint64 first, int count) const
    {
        const qint64 limit = serial.Limit();
        if (limit >= 0 && first + count - 1 > limit)
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA",
                                     "物料%1在批号“%2”下的流水号最大为%3，已不够再发放%4个批号；没有发放任何批号"),
                   {owner, serial.ShownRest(), limit, count});
    }
};

namespace {

BatRuleStruct AsTheEditorReadsIt(BatRuleStruct element)
{
    // The editor's grid shows the stored texts without their blanks, and the preview composes from the grid.
    for (QString* text : {&element.FFormatDate, &element.FSelDefine, &element.FCharacter, &element.FSubCharacter})
        *text = HostText::TrimBlanks(*text);
    return element;
}

}

BatchNumberIssuer::BatchNumberIssuer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

BatchNumberIssuer::~BatchNumberIssuer() = default;

std::unique_ptr<BatchNumberIssuer> BatchNumberIssuer::Open(qint32 itemId)
{
    auto opened = Attempt([&] {
        auto impl = std::make_unique<Impl>();
        const EditorTarget target = EditorTarget::Resolve(itemId, std::nullopt);
        impl->itemId = itemId;
        impl->owner = target.ItemNumberName;
        impl->materialNumber = BatchPreview::MaterialNumber(itemId);
        const auto rows = RWDatabase().FetchBatchRule(itemId, RuleOwner::Material);
        if (!rows)
            throw AlreadyShown{};
        for (const RecordsetRow row(*rows); !rows->Eof(); rows->MoveNext())
            impl->elements.append(AsTheEditorReadsIt(StoredRules::ElementOf(row)));
        if (impl->elements.isEmpty())
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "%1没有批号规则"), {impl->owner});
        return impl;
    });
    return opened ? std::unique_ptr<BatchNumberIssuer>(new BatchNumberIssuer(std::move(*opened))) : nullptr;
}

std::optional<BatchNumberIssuer::Issued> BatchNumberIssuer::Issue(const Document& document, int count)
{
    return Attempt([&] {
        if (count < 1 || count > MaxCount)
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "一次可发放1到%1个批号，不能是%2个"), {MaxCount, count});
        const BatchSerial serial = impl_->SerialFor(document);
        Issued issued;
        if (!serial.Exists()) {
            issued.numbers = QStringList(count, serial.Number(0));
            issued.note = MParse::TranslateFormat("%1的批号规则中没有流水号，发放的批号都相同", {impl_->owner});
            return issued;
        }
        SerialCounter counter = impl_->CounterOf(serial);
        const qint64 first = impl_->OnCounterTable(
            [&] { return counter.Take(count, [&](qint64 taken) { impl_->ExpectRoom(serial, taken, count); }); });
        issued.numbers.reserve(count);
        for (int i = 0; i < count; ++i)
            issued.numbers << serial.Number(first + i);
        return issued;
    });
}

std::optional<QString> BatchNumberIssuer::Peek(const Document& document)
{
    return Attempt([&] {
        const BatchSerial serial = impl_->SerialFor(document);
        if (!serial.Exists())
            return serial.Number(0);
        SerialCounter counter = impl_->CounterOf(serial);
        const qint64 next = impl_->OnCounterTable([&] { return counter.Next(); });
        impl_->ExpectRoom(serial, next, 1);
        return serial.Number(next);
    });
}

std::optional<bool> BatchNumberIssuer::CreateCounterTable()
{
    return InSession([] {
        AppConnection& connection = CurrentHostConnection();
        if (SerialCounter::TableExists(connection))
            return false;
        connection.Execute(SerialCounter::CreateTableSql());
        return true;
    });
}

}
