#include "BatRuleEditor.h"

#include "AppConnection.h"
#include "BatRuleSave.h"
#include "GLB.h"
#include "HistoryRecorder.h"
#include "HostError.h"
#include "HostText.h"
#include "MParse.h"
#include "ModuleState.h"
#include "PropertyCatalogue.h"
#include "RWDatabase.h"
#include "RuleGrid.h"
#include "RuleVersion.h"
#include "SpreadConsole.h"
#include "UnitOfWork.h"

#include <functional>
#include <optional>

namespace vellbatchrule {

namespace {

void Tell(const QString& message)
{
    GLB::ShowErrorMessage(message, 0, false);
}

}

BatRuleEditor::BatRuleEditor(RuleGrid& grid) : grid_(grid) {}

bool BatRuleEditor::CommitStep(const char* failureMessage, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(MParse::TranslateText(failureMessage), 0, true, &error);
        return false;
    }
}

void BatRuleEditor::Open()
{
    TakeTarget();
    LoadRuleIntoGrid();
    options.ReadBatchOptions();
    loadedOptions_ = options;
}

void BatRuleEditor::TakeTarget()
{
    parentGroupNumber_ = GroupNumberOf(ParentItemNumberName);
    singleItem = !HostText::TrimBlanks(ItemNumberName).isEmpty();
}

void BatRuleEditor::SetLevelText(const QString& text)
{
    levelText_ = text;
    SpreadConsole::RebuildRuleRows(grid_, levelText_);
}

void BatRuleEditor::LoadRuleIntoGrid()
{
    RWDatabase database;
    const RuleOwner owner = singleItem ? RuleOwner::Material : RuleOwner::Group;
    const qint32 id = singleItem ? ItemID : ParentItemID;
    const auto rule = database.FetchBatchRule(id, owner);
    loadedRule_.reset();
    if (rule)
        loadedRule_ = LoadedRule{owner, id, RuleVersion::Of(*rule)};
    if (!rule || rule->RecordCount() == 0) {
        SetLevelText(QStringLiteral("1"));
        return;
    }
    SetLevelText(QString::number(rule->RecordCount()));
    for (int row = 1; row <= rule->RecordCount(); ++row, rule->MoveNext())
        SpreadConsole::LoadRuleElement(grid_, *rule, row);
}

int BatRuleEditor::LevelCount() const
{
    return std::min(HostText::RoundToLong(HostText::Val(levelText_)), grid_.RowCount());
}

bool BatRuleEditor::CheckTotalLength()
{
    qint64 total = 0;
    for (int row = 1; row <= LevelCount(); ++row)
        total += HostText::RoundToLong(HostText::Val(grid_.Text(RuleGrid::Length, row)));
    if (total <= MaxTotalLength)
        return true;
    Tell(TotalLengthRefusal());
    return false;
}

bool BatRuleEditor::CheckSerialOnce()
{
    int serials = 0;
    for (int row = 1; row <= LevelCount(); ++row)
        serials += SpreadConsole::RowPropertyID(grid_, row) == PropertyIds::Serial;
    if (serials <= 1)
        return true;
    Tell(SerialOnceRefusal());
    return false;
}

bool BatRuleEditor::CheckSerialLength()
{
    for (int row = 1; row <= LevelCount(); ++row) {
        if (SpreadConsole::RowPropertyID(grid_, row) != PropertyIds::Serial)
            continue;
        const qsizetype formatLength = grid_.Text(RuleGrid::Format, row).size();
        if (HostText::Val(grid_.Text(RuleGrid::Length, row)) < formatLength) {
            Tell(SerialLengthRefusal(formatLength));
            return false;
        }
    }
    return true;
}

bool BatRuleEditor::CheckPlainCells()
{
    for (int row = 1; row <= LevelCount(); ++row)
        for (int column = RuleGrid::Property; column <= RuleGrid::Substitute; ++column)
            if (const QString refusal = SpreadConsole::ControlCharacterRefusal(row, grid_.Text(column, row));
                !refusal.isEmpty()) {
                Tell(refusal);
                grid_.SetFocus();
                grid_.SetActiveCell(column, row);
                return false;
            }
    return true;
}

QString BatRuleEditor::LevelCountRefusal()
{
    return MParse::TranslateFormat("编码级次必须是1到%1级", {MaxLevels});
}

QString BatRuleEditor::TotalLengthRefusal()
{
    return MParse::TranslateText("批次设置长度超过200，请重新设置");
}

QString BatRuleEditor::SerialOnceRefusal()
{
    return MParse::TranslateText("流水号只能设置一次，请重新设置");
}

QString BatRuleEditor::SerialLengthRefusal(qsizetype formatLength)
{
    return MParse::TranslateFormat("流水号的长度不能小于格式字符的总长度:%1，请重新设置", {formatLength});
}

QString BatRuleEditor::GroupNumberOf(const QString& groupText)
{
    const qsizetype bracket = groupText.indexOf(QLatin1Char('('));
    return bracket < 0 ? QString() : groupText.left(bracket);
}

QString BatRuleEditor::SpreadNumberOf(const QString& storedNumber, const QString& parentGroupNumber)
{
    return storedNumber.contains(QLatin1Char('(')) || parentGroupNumber.isEmpty() ? storedNumber : parentGroupNumber;
}

BatRuleEditor::SpreadTarget BatRuleEditor::SpreadTargetOf(qint32 groupId, const QString& groupText)
{
    SpreadTarget target;
    if (groupId == 0) {
        target.number = QString();   // the root reaches every material
        return target;
    }
    const auto group = RWDatabase().FetchGroup(groupId);
    if (!group)
        return target;
    if (group->Eof()) {
        target.refusal =
            MParse::TranslateFormat("找不到物料组%1或无权查看它，不能按物料组设置规则", {groupText});
        return target;
    }
    const QString stored = group->Field(QStringLiteral("FNumber")).toString();
    if (HostText::TrimBlanks(stored).isEmpty()) {
        // An empty number would spread the rule to every material of every group.
        target.refusal = MParse::TranslateFormat("物料组%1没有代码，不能按物料组设置规则", {groupText});
        return target;
    }
    target.number = SpreadNumberOf(stored, GroupNumberOf(groupText));
    return target;
}

// False, with the reason shown, for a group that must not be spread.
bool BatRuleEditor::SpreadNumber(QString& number)
{
    SpreadTarget target;
    if (!CommitStep("FetchGroup::", [&] { target = SpreadTargetOf(ParentItemID, ParentItemNumberName); }))
        return false;
    if (!target.refusal.isEmpty())
        Tell(target.refusal);
    number = target.number.value_or(QString());
    return target.number.has_value();
}

BatRuleEditor::CommitResult BatRuleEditor::Commit()
{
    BatRuleSave save;
    if (!Prepare(save))
        return {};
    Conflict choice = Conflict::Overwrite;
    HistoryRecorder history(CurrentHostConnection(), historySource);
    const auto write = [&] { return WriteRule(save, singleItem); };
    const auto recorded = [&] {
        return singleItem ? history.Record(RuleOwner::Material, ItemID, std::nullopt, false, write)
                          : history.Record(RuleOwner::Group, ParentItemID, spreadNumber_, options.itemIsTop != 0, write);
    };
    const bool written =
        WriteInOneUnit(options, [&] { return StillAsLoaded(choice) && recorded(); }, &loadedOptions_, &history);
    return {written, choice == Conflict::Reload};
}

void BatRuleEditor::ExpectVersion(const QString& version)
{
    if (loadedRule_)
        loadedRule_->version = version;
}

QString BatRuleEditor::StoredVersion() const
{
    const auto stored = RWDatabase().FetchBatchRule(singleItem ? ItemID : ParentItemID,
                                                    singleItem ? RuleOwner::Material : RuleOwner::Group);
    return stored ? RuleVersion::Of(*stored) : QString();
}

bool BatRuleEditor::StillAsLoaded(Conflict& choice)
{
    const RuleOwner owner = singleItem ? RuleOwner::Material : RuleOwner::Group;
    const qint32 id = singleItem ? ItemID : ParentItemID;
    // Nobody to ask (a command writes as it always has), or a group rule
    // spread from a material's grid: no rule the user was shown is overwritten.
    if (!onConflict || !loadedRule_ || loadedRule_->owner != owner || loadedRule_->id != id)
        return true;
    const auto stored = RWDatabase().FetchBatchRule(id, owner);
    if (!stored)
        return false;   // the read has shown its failure
    const QString version = RuleVersion::Of(*stored);
    if (version == loadedRule_->version)
        return true;
    const QString name = singleItem ? ItemNumberName : ParentItemNumberName;
    QString reason = MParse::TranslateFormat("%1的批号规则在编辑器读取之后已被更改", {name});
    QString newest;
    if (!CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在读取批号规则的历史时发生错误"),
                    [&] { newest = HistoryRecorder::NewestChangeText(CurrentHostConnection(), owner, id); }))
        return false;
    if (!newest.isEmpty())
        reason = MParse::TranslateFormat("%1（%2）", {reason, newest});
    choice = onConflict(reason, version);
    return choice == Conflict::Overwrite;
}

bool BatRuleEditor::Prepare(BatRuleSave& save)
{
    if (!CheckTotalLength() || !CheckSerialOnce() || !CheckSerialLength() || !CheckPlainCells())
        return false;
    spreadNumber_ = parentGroupNumber_;
    if (!singleItem && !SpreadNumber(spreadNumber_))
        return false;
    save.SetBatRuleItemID(ItemID);
    save.SetBatRuleParentItemID(ParentItemID);
    save.SetBatRuleParentItemNumber(spreadNumber_);
    save.SetBatRuleSpread(&grid_);
    save.SetBatRuleItemIsTop(options.itemIsTop != 0);
    return save.OperateSaveing();
}

bool BatRuleEditor::WriteRule(BatRuleSave& save, bool singleItem)
{
    return singleItem ? save.TakingItemDetailSaves() : save.TakingGroupDetailSaves() && save.TakingGroupSaves();
}

// Leaving the unit without its commit undoes whatever was sent.
bool BatRuleEditor::WriteInOneUnit(const BatchOptions& options, const std::function<bool()>& writeRules,
                                   const BatchOptions* loaded, HistoryRecorder* history)
{
    std::optional<UnitOfWork> unit;
    if (!CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在调用函数BeginTrans()时发生错误"), [&] { unit.emplace(CurrentHostConnection()); }))
        return false;
    BatchOptions written = options;
    BatchOptions storedNow;
    const auto readAgain = [&] {
        storedNow.ReadBatchOptions();
        written = options.KeepingOthersChanges(*loaded, storedNow);
    };
    if (loaded && !CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在调用函数ReadBatchOptions()时发生错误"), readAgain))
        return false;
    return writeRules()
           && CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在调用函数WriteBatchOptions()时发生错误"), [&] { written.WriteBatchOptions(); })
           && (!loaded || !history || history->RecordOptions(storedNow, written))
           && CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在调用函数CommitTrans()时发生错误"), [&] { unit->Commit(); });
}

}
