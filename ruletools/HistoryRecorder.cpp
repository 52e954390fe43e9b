#include "HistoryRecorder.h"

#include "AppConnection.h"
#include "GLB.h"
#include "HostError.h"
#include "IssuerTables.h"
#include "MMTS.h"
#include "MParse.h"
#include "RWDatabase.h"
#include "RuleHistory.h"
#include "RuleText.h"
#include "SpreadDryRun.h"

namespace vellbatchrule {

namespace {

// "[日期]+[流水号]" of the owner's stored rule; a failed read throws.
QString StoredText(AppConnection& connection, qint32 ownerId, RuleOwner owner)
{
    QList<qint32> properties;
    for (const auto rows = connection.Execute(RWDatabase::BatchRuleSql(ownerId, owner)); rows && !rows->Eof();
         rows->MoveNext())
        properties.append(rows->Field(QStringLiteral("FPropertyID")).toInt());
    return RuleText::Of(properties);
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
    RuleHistory::Entry entry;
    try {
        const auto next = connection_.Execute(RuleHistory::NextEntrySql());
        entry.id = next->Field(QStringLiteral("FNext")).toInt();
        entry.before = StoredText(connection_, ownerId, owner);
        connection_.Execute(RuleHistory::OwnerRowsSql(entry.id, RuleHistory::Before, ownerId, owner));
        entry.materials = 1;
        if (spreadNumber) {
            connection_.Execute(RuleHistory::MaterialRowsSql(entry.id, *spreadNumber));
            const auto counts = SpreadDryRun::Count(*spreadNumber);
            entry.materials = counts ? counts->Receiving(spareOwnRules) : 0;
        }
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(MParse::TranslateText("系统在记录批号规则的历史时发生错误"), 0, true, &error);
        return false;
    }
    if (!write())
        return false;
    try {
        connection_.Execute(RuleHistory::OwnerRowsSql(entry.id, RuleHistory::After, ownerId, owner));
        entry.after = StoredText(connection_, ownerId, owner);
        entry.userId = MMTS::GetSessionUserID();
        entry.userName = MMTS::FindPropValue(QStringLiteral("UserName"));
        entry.owner = owner;
        entry.ownerId = ownerId;
        entry.source = source_;
        connection_.Execute(RuleHistory::EntrySql(entry));
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(MParse::TranslateText("系统在记录批号规则的历史时发生错误"), 0, true, &error);
        return false;
    }
    return true;
}

}
