#include "HistoryRecorder.h"

#include "AppConnection.h"
#include "BatchOptions.h"
#include "BatRuleEditor.h"
#include "IssuerTables.h"
#include "MMTS.h"
#include "MParse.h"
#include "RWDatabase.h"
#include "RuleHistory.h"
#include "RuleText.h"
#include "SpreadDryRun.h"

namespace vellbatchrule {

namespace {

// "23+26" of the owner's stored rule, read on the connection itself: a failed read throws.
QString StoredText(AppConnection& connection, qint32 ownerId, RuleOwner owner)
{
    const auto rows = connection.Execute(RWDatabase::BatchRuleSql(ownerId, owner));
    return rows ? RuleText::IdsOfRows(*rows) : QString();
}

// The session's user name, cut to its column's width: a longer one must not fail the write it records.
QString UserName()
{
    return MMTS::FindPropValue(QStringLiteral("UserName")).left(RuleHistory::kMaxUserName);
}

}

qint32 HistoryRecorder::NextEntry()
{
    return connection_.Execute(RuleHistory::NextEntrySql())->Field(QStringLiteral("FNext")).toInt();
}

HistoryRecorder::HistoryRecorder(AppConnection& connection, QString source)
    : connection_(connection), source_(std::move(source)),
      kept_(!source_.isEmpty() && IssuerTables::Exists(connection, RuleHistory::kTable))
{
}

bool HistoryRecorder::RecordOptions(const BatchOptions& before, const BatchOptions& after)
{
    const auto [was, now] = after.ChangesFrom(before);
    if (!kept_ || was.isEmpty())
        return true;
    RuleHistory::Entry entry{0, MMTS::GetSessionUserID(), UserName(),
                             RuleHistory::kOptions, 0, source_, was, now, 0, {}};
    return BatRuleEditor::CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在记录批号规则的历史时发生错误"), [&] {
        entry.id = NextEntry();
        connection_.Execute(RuleHistory::EntrySql(entry));
    });
}

bool HistoryRecorder::Record(RuleOwner owner, qint32 ownerId, const std::optional<QString>& spreadNumber,
                             bool spareOwnRules, const std::function<bool()>& write)
{
    if (!kept_)
        return write();
    const char* const failure = QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在记录批号规则的历史时发生错误");
    RuleHistory::Entry entry{0, MMTS::GetSessionUserID(), UserName(), owner,
                             ownerId, source_, QString(), QString(), 1, {}};
    std::optional<SpreadDryRun> reach;
    const bool before = BatRuleEditor::CommitStep(failure, [&] {
        entry.id = NextEntry();
        entry.before = StoredText(connection_, ownerId, owner);
        connection_.Execute(RuleHistory::OwnerRowsSql(entry.id, RuleHistory::Before, ownerId, owner));
        if (spreadNumber) {
            connection_.Execute(RuleHistory::MaterialRowsSql(entry.id, *spreadNumber));
            reach = SpreadDryRun::Count(*spreadNumber);
        }
    });
    // A count that could not be read has shown why: nothing is written without its record.
    if (!before || (spreadNumber && !reach))
        return false;
    if (reach)
        entry.materials = reach->Receiving(spareOwnRules);
    return write() && BatRuleEditor::CommitStep(failure, [&] {
        connection_.Execute(RuleHistory::OwnerRowsSql(entry.id, RuleHistory::After, ownerId, owner));
        entry.after = StoredText(connection_, ownerId, owner);
        connection_.Execute(RuleHistory::EntrySql(entry));
    });
}

QString HistoryRecorder::ChangeText(AppConnection& connection, const QString& listSql)
{
    const auto rows = connection.Execute(listSql);
    if (!rows || rows->Eof())
        return QString();
    const RuleHistory::Entry e = RuleHistory::EntryOf(*rows);
    return MParse::TranslateFormat("记录%1，%2：%3于%4经%5更改",
                                   {e.id, RuleHistory::OwnerText(e), RuleHistory::UserText(e), e.time, RuleHistory::SourceText(e)});
}

QString HistoryRecorder::NewestChangeText(AppConnection& connection, RuleOwner owner, qint32 ownerId)
{
    if (!IssuerTables::Exists(connection, RuleHistory::kTable))
        return QString();
    return ChangeText(connection, RuleHistory::ListSql(std::pair{owner, ownerId}));
}

}
