#include "BatchNumberIssuer.h"

#include "BatchPreview.h"
#include "BatchSerial.h"
#include "CommandGuard.h"
#include "CommandSession.h"
#include "EditorTarget.h"
#include "HostError.h"
#include "HostText.h"
#include "IssuedNumbers.h"
#include "IssuedTrace.h"
#include "IssuerTables.h"
#include "MParse.h"
#include "MMTS.h"
#include "ModuleState.h"
#include "PropertyCatalogue.h"
#include "RWDatabase.h"
#include "RecordsetRow.h"
#include "RuleHistory.h"
#include "RuleVersion.h"
#include "SerialCounter.h"
#include "StoredRules.h"
#include "UnitOfWork.h"

#include <QSet>

#include <algorithm>

namespace vellbatchrule {

using namespace CommandGuard;

struct BatchNumberIssuer::Impl {
    CommandSession session;
    qint32 itemId = 0;
    QString owner;            // number(name)
    QString materialNumber;
    QList<BatRuleStruct> elements;
    std::optional<IssuedTrace::Issue> traceAs;   // where the database keeps the issues' trace

    AppConnection& Connection() { return session.Connection(); }

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

    IssuedNumbers IssuedOnes() { return IssuedNumbers(Connection(), itemId); }

    // Inside the issue's unit: the numbers just recorded as issued.
    void Trace(const QStringList& numbers)
    {
        if (traceAs)
            IssuedTrace(Connection(), itemId).Record(numbers, *traceAs);
    }

    // A failure on the issuer's tables because one is missing says what to do.
    template <typename Work>
    auto OnIssuerTables(Work work)
    {
        try {
            return work();
        } catch (const HostError&) {
            const QString missing = IssuerTables::FirstMissing(Connection());
            if (missing == SerialCounter::kTable)
                Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA",
                                         "数据库中没有批号流水号表ICBatchNoSerial，请先运行“vell-batchrule batch init”建立"));
            if (missing == IssuedNumbers::kTable)
                Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA",
                                         "数据库中没有已发放批号表ICBatchNoIssued，请先运行“vell-batchrule batch init”建立"));
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

    void ExpectStorable(const QString& number) const
    {
        if (number.size() > IssuedNumbers::kMaxLength)
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "物料%1的批号“%2”长于%3个字符，不能发放"),
                   {owner, HostText::Excerpt(number), IssuedNumbers::kMaxLength});
    }

    // The numbers of the serial's values from `first` on, at least `wanted`
    // and `window` if the serial's length holds them.
    QStringList Candidates(const BatchSerial& serial, qint64 first, int wanted, qint64 window) const
    {
        ExpectRoom(serial, first, wanted);
        qint64 size = std::max<qint64>(window, wanted);
        if (serial.Limit() >= 0)
            size = std::min(size, serial.Limit() - first + 1);
        QStringList numbers;
        numbers.reserve(size);
        for (qint64 value = first; value < first + size; ++value)
            numbers << serial.Number(value);
        return numbers;
    }

    // The first `count` numbers from the serial's value `next` on that were
    // never issued, each once; the values passed over are those of numbers
    // issued before. `hold` locks what it looks at (Issue's unit of work).
    struct Picked {
        QStringList numbers;
        qint64 next = 0;   // the counter's value after the last number picked
    };
    Picked Pick(const BatchSerial& serial, IssuedNumbers& issued, qint64 next, int count, bool hold) const
    {
        Picked picked{{}, next};
        QSet<QString> keys;
        for (qint64 window = count; picked.numbers.size() < count; window = std::min(window * 2, kWidestWindow)) {
            const QStringList candidates = Candidates(serial, next, count - int(picked.numbers.size()), window);
            const QSet<QString> before = issued.IssuedAmong(candidates, hold);
            for (const QString& candidate : candidates) {
                ++next;
                const QString key = IssuedNumbers::Key(candidate);
                if (before.contains(key) || keys.contains(key))
                    continue;
                ExpectStorable(candidate);
                keys.insert(key);
                picked.numbers << candidate;
                picked.next = next;
                if (picked.numbers.size() == count)
                    break;
            }
        }
        return picked;
    }

    Issued TakeSerial(const BatchSerial& serial, int count)
    {
        SerialCounter counter = CounterOf(serial);
        IssuedNumbers issued = IssuedOnes();
        const Picked picked = Pick(serial, issued, counter.Hold(), count, true);
        counter.MoveTo(picked.next);
        issued.Record(picked.numbers);
        Trace(picked.numbers);
        return {picked.numbers, QString()};
    }

    // Every batch of the document gets the one number; it is kept so that no serial gives it later.
    Issued TakeRepeating(const BatchSerial& serial, int count)
    {
        const QString number = serial.Number(0);
        ExpectStorable(number);
        IssuedNumbers issued = IssuedOnes();
        if (issued.IssuedAmong({number}, true).isEmpty()) {
            issued.Record({number});
            Trace({number});
        }
        return {QStringList(count, number), MParse::TranslateFormat("%1的批号规则中没有流水号，发放的批号都相同", {owner})};
    }

    Origin OriginOf(const QString& number)
    {
        if (IssuedOnes().IssuedAmong({number}, false).isEmpty())
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "没有为%1发放过批号“%2”"), {owner, HostText::Excerpt(number)});
        IssuedTrace trace(Connection(), itemId);
        const auto issue = IssuerTables::Exists(Connection(), IssuedTrace::kTable) ? trace.Find(number) : std::nullopt;
        if (!issue)
            return Origin{{}, 0, {}, {}, std::nullopt,
                          {MParse::TranslateFormat("批号“%1”已发放，但发放的时间、用户和规则版本没有记录在案", {number})}};
        Origin origin{issue->time, issue->userId, issue->userName, issue->version, std::nullopt,
                      {MParse::TranslateFormat("批号“%1”于%2发放给用户%3，由批号规则版本%4组成",
                                               {number, issue->time, UserOf(issue->userId, issue->userName),
                                                issue->version})}};
        std::optional<RuleHistory::Entry> write;
        if (IssuerTables::Exists(Connection(), RuleHistory::kTable))
            write = trace.WriteOf(number, issue->version, materialNumber);
        if (write)
            origin.setBy = EntryOf(*write);
        origin.text << (write ? MParse::TranslateFormat("该规则版本由用户%1于%2经由%3设置（历史记录%4，%5）",
                                                        {UserOf(write->userId, write->userName), write->time,
                                                         RuleHistory::SourceText(*write), write->id,
                                                         RuleHistory::OwnerText(*write)})
                              : MParse::TranslateText("设置该规则版本的更改没有记录在案"));
        return origin;
    }

    // As rule history shows an entry.
    static RuleAdmin::HistoryEntry EntryOf(const RuleHistory::Entry& e)
    {
        return {e.id,     e.time,   e.userId, e.userName, RuleHistory::OwnerName(e.owner, e.ownerId),
                e.source, e.before, e.after,  e.materials};
    }

    // "16394 张三", or the number alone where the session gave no name.
    static QString UserOf(qint32 id, const QString& name)
    {
        return name.isEmpty() ? QString::number(id) : QString::number(id) + QLatin1Char(' ') + name;
    }

    static constexpr qint64 kWidestWindow = 4096;
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

Result<std::unique_ptr<BatchNumberIssuer>> BatchNumberIssuer::Open(qint32 itemId)
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
        if (IssuerTables::Exists(impl->Connection(), IssuedTrace::kTable))
            impl->traceAs = IssuedTrace::Issue{QString(), MMTS::GetSessionUserID(),
                                               MMTS::FindPropValue(QStringLiteral("UserName")), RuleVersion::Of(*rows)};
        for (const RecordsetRow row(*rows); !rows->Eof(); rows->MoveNext())
            impl->elements.append(AsTheEditorReadsIt(StoredRules::ElementOf(row)));
        if (impl->elements.isEmpty())
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "%1没有批号规则"), {impl->owner});
        return impl;
    });
    if (!opened)
        return opened.failure();
    return std::unique_ptr<BatchNumberIssuer>(new BatchNumberIssuer(std::move(*opened)));
}

Result<BatchNumberIssuer::Issued> BatchNumberIssuer::Issue(const Document& document, int count)
{
    return Attempt([&] {
        if (count < 1 || count > MaxCount)
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "一次可发放1到%1个批号，不能是%2个"), {MaxCount, count});
        const BatchSerial serial = impl_->SerialFor(document);
        return impl_->OnIssuerTables([&] {
            UnitOfWork unit(impl_->Connection());
            Issued issued = serial.Exists() ? impl_->TakeSerial(serial, count) : impl_->TakeRepeating(serial, count);
            unit.Commit();
            return issued;
        });
    });
}

Result<QString> BatchNumberIssuer::Peek(const Document& document)
{
    return Attempt([&] {
        const BatchSerial serial = impl_->SerialFor(document);
        if (!serial.Exists())
            return serial.Number(0);
        return impl_->OnIssuerTables([&] {
            SerialCounter counter = impl_->CounterOf(serial);
            IssuedNumbers issued = impl_->IssuedOnes();
            return impl_->Pick(serial, issued, counter.Next(), 1, false).numbers.constFirst();
        });
    });
}

Result<BatchNumberIssuer::Origin> BatchNumberIssuer::Trace(qint32 itemId, const QString& number)
{
    return Attempt([&] {
        Impl impl;
        impl.itemId = itemId;
        impl.owner = EditorTarget::Resolve(itemId, std::nullopt).ItemNumberName;
        impl.materialNumber = BatchPreview::MaterialNumber(itemId);
        return impl.OnIssuerTables([&] { return impl.OriginOf(number); });
    });
}

Result<bool> BatchNumberIssuer::CreateCounterTable()
{
    return Attempt([] {
        const CommandSession session;
        return !IssuerTables::CreateMissing(session.Connection()).isEmpty();
    });
}

}
