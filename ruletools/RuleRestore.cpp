#include "RuleRestore.h"

#include "AppConnection.h"
#include "BatRuleEditor.h"
#include "CommandGuard.h"
#include "HistoryRecorder.h"
#include "IssuerTables.h"
#include "MParse.h"
#include "RWDatabase.h"
#include "RuleHistory.h"
#include "RuleVersion.h"
#include "UnitOfWork.h"

namespace vellbatchrule {

using namespace CommandGuard;

namespace {

const char* const kFailure = QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在恢复批号规则时发生错误");

QString VersionOf(AppConnection& connection, const QString& sql)
{
    const auto rows = connection.Execute(sql);
    return rows ? RuleVersion::Of(*rows) : QLatin1String(RuleVersion::NoRule);
}

}

RuleRestore::RuleRestore(AppConnection& connection, qint32 entry) : connection_(connection), entry_(entry)
{
    if (!IssuerTables::Exists(connection, RuleHistory::kTable))
        Refuse(RuleHistory::kNotKept);
    const auto rows = connection.Execute(RuleHistory::EntryOfSql(entry));
    if (!rows || rows->Eof())
        Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "没有编号为%1的批号规则历史记录"), {entry});
    owner_ = RuleOwner(rows->Field(QStringLiteral("FDetail")).toInt());
    ownerId_ = rows->Field(QStringLiteral("FItemID")).toInt();
    if (owner_ == RuleHistory::kOptions)
        Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "历史记录%1是批号选项的更改，不能恢复，请用“options set”设置选项"), {entry});
    if (owner_ == RuleOwner::Material) {
        target_ = EditorTarget::Resolve(ownerId_, std::nullopt);
        return;
    }
    target_ = EditorTarget::Resolve(std::nullopt, ownerId_);
    const BatRuleEditor::SpreadTarget spread = BatRuleEditor::SpreadTargetOf(ownerId_, target_.ParentItemNumberName);
    if (!spread.number && spread.refusal.isEmpty())
        throw AlreadyShown{};
    if (!spread.number)
        throw Refusal{spread.refusal};
    spreadNumber_ = spread.number;
}

QString RuleRestore::OwnerText() const
{
    return owner_ == RuleOwner::Material ? target_.ItemNumberName : target_.ParentItemNumberName;
}

bool RuleRestore::StillAsRecorded()
{
    bool moved = false;
    QString newer;
    const bool read = BatRuleEditor::CommitStep(kFailure, [&] {
        moved = VersionOf(connection_, RWDatabase::BatchRuleSql(ownerId_, owner_))
                != VersionOf(connection_, RuleHistory::AfterRowsSql(entry_, owner_, ownerId_));
        // The later changes are read only where they decide (a spread) or are named (a rule that moved on).
        if (moved || spreadNumber_)
            newer = HistoryRecorder::ChangeText(connection_,
                                                RuleHistory::LaterChangesSql(entry_, owner_, ownerId_, spreadNumber_));
        moved = moved || !newer.isEmpty();
    });
    if (!read)
        return false;
    if (!moved)
        return true;
    const QString reason =
        newer.isEmpty()
            ? MParse::TranslateFormat("%1的批号规则在历史记录%2之后已被更改，历史中没有这次更改", {OwnerText(), entry_})
            : MParse::TranslateFormat("%1的批号规则在历史记录%2之后已被更改（%3）", {OwnerText(), entry_, newer});
    return onConflict && onConflict(reason);
}

bool RuleRestore::Restore()
{
    HistoryRecorder history(connection_, QStringLiteral("restore"));
    std::optional<UnitOfWork> unit;
    if (!BatRuleEditor::CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在调用函数BeginTrans()时发生错误"),
                                   [&] { unit.emplace(connection_); }))
        return false;
    const auto write = [&] {
        return BatRuleEditor::CommitStep(kFailure, [&] {
            connection_.Execute(RuleHistory::RestoreOwnerSql(entry_, owner_, ownerId_));
            if (spreadNumber_) {
                const RWDatabase::AccessScope scope = RWDatabase::AccessScopeOf(QStringLiteral("t2"));
                connection_.Execute(RuleHistory::RestoreMaterialsSql(entry_, *spreadNumber_, scope.from, scope.where));
            }
        });
    };
    return StillAsRecorded() && history.Record(owner_, ownerId_, spreadNumber_, false, write)
           && BatRuleEditor::CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在调用函数CommitTrans()时发生错误"),
                                        [&] { unit->Commit(); });
}

}
