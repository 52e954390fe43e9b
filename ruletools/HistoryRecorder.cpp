#include "HistoryRecorder.h"

#include "AppConnection.h"
#include "BatRuleEditor.h"
#include "IssuerTables.h"
#include "MMTS.h"
#include "RWDatabase.h"
#include "RuleHistory.h"
#include "RuleText.h"
#include "SpreadDryRun.h"

namespace vellbatchrule {

namespace {

// "[日期]+[流水号]" of the owner's stored rule, read on the connection itself: a failed read throws.
QString StoredText(AppConnection& connection, qint32 ownerId, RuleOwner owner)
{
    const auto rows = connection.Execute(RWDatabase::BatchRuleSql(ownerId, owner));
    return rows ? RuleText::OfRows(*rows) : RuleText::Of({});
}

}

HistoryRecorder::HistoryRecorder(AppConnection& connection, QString source)
    : connection_(connection), source_(std::move(source)),
      kept_(!source_.isEmpty() && IssuerTables::Exists(connection, RuleHistory::kTable))
{
}

bool HistoryRecorder::Record(RuleOwner owner, qint32 ownerId, const std::optional<QString>& spreadNumber,
                             bool spareOwnRules, const std::function<bool()>& write)
{
    if (!kept_)
        return write();
    const char* const failure = QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在记录批号规则的历史时发生错误");
    RuleHistory::Entry entry{0, MMTS::GetSessionUserID(), MMTS::FindPropValue(QStringLiteral("UserName")), owner,
                             ownerId, source_, QString(), QString(), 1};
    std::optional<SpreadDryRun> reach;
    const bool before = BatRuleEditor::CommitStep(failure, [&] {
        entry.id = connection_.Execute(RuleHistory::NextEntrySql())->Field(QStringLiteral("FNext")).toInt();
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

}
