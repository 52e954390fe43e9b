#include "BatRuleEditor.h"

#include "AppConnection.h"
#include "BatRuleSave.h"
#include "GLB.h"
#include "HostError.h"
#include "HostText.h"
#include "MParse.h"
#include "ModuleState.h"
#include "PropertyCatalogue.h"
#include "RWDatabase.h"
#include "RuleGrid.h"
#include "SpreadConsole.h"
#include "UnitOfWork.h"

#include <functional>
#include <optional>

namespace {

constexpr int kMaxTotalLength = 200;

void Tell(const QString& message)
{
    GLB::ShowErrorMessage(message, 0, false);
}

// Runs one step of the commit; a failure is shown with its cause and source.
bool Attempt(const QString& failureMessage, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(MParse::TranslateText(failureMessage), 0, true, &error);
        return false;
    }
}

}

BatRuleEditor::BatRuleEditor(RuleGrid& grid) : grid_(grid) {}

void BatRuleEditor::Open()
{
    const qsizetype bracket = ParentItemNumberName.indexOf(QLatin1Char('('));
    parentGroupNumber_ = bracket < 0 ? QString() : ParentItemNumberName.left(bracket);
    singleItem = !HostText::TrimBlanks(ItemNumberName).isEmpty();
    LoadRuleIntoGrid();
    options.ReadBatchOptions();
}

void BatRuleEditor::SetLevelText(const QString& text)
{
    levelText_ = text;
    SpreadConsole::RebuildRuleRows(grid_, levelText_);
}

void BatRuleEditor::LoadRuleIntoGrid()
{
    RWDatabase database;
    const auto rule = singleItem ? database.FetchBatchRule(ItemID, 1) : database.FetchBatchRule(ParentItemID, 0);
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
    if (total <= kMaxTotalLength)
        return true;
    Tell(MParse::TranslateText(QStringLiteral("批次设置长度超过200，请重新设置")));
    return false;
}

bool BatRuleEditor::CheckSerialOnce()
{
    int serials = 0;
    for (int row = 1; row <= LevelCount(); ++row)
        serials += SpreadConsole::RowPropertyID(grid_, row) == PropertyIds::Serial;
    if (serials <= 1)
        return true;
    Tell(MParse::TranslateText(QStringLiteral("流水号只能设置一次，请重新设置")));
    return false;
}

bool BatRuleEditor::CheckSerialLength()
{
    for (int row = 1; row <= LevelCount(); ++row) {
        if (SpreadConsole::RowPropertyID(grid_, row) != PropertyIds::Serial)
            continue;
        const qsizetype formatLength = grid_.Text(RuleGrid::Format, row).size();
        if (HostText::Val(grid_.Text(RuleGrid::Length, row)) < formatLength) {
            Tell(MParse::TranslateFormat(QStringLiteral("流水号的长度不能小于格式字符的总长度:%1，请重新设置"),
                                         {formatLength}));
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

// The number below which a group rule spreads: the text before "(" of the
// group's display text, or the stored number where that cannot carry it.
// False, with the reason shown, for a group that must not be spread.
bool BatRuleEditor::SpreadNumber(QString& number)
{
    number.clear();
    if (ParentItemID == 0)
        return true;   // the root reaches every material
    std::unique_ptr<Recordset> group;
    if (!Attempt(QStringLiteral("FetchGroup::"), [&] { group = RWDatabase().FetchGroup(ParentItemID); }) || !group)
        return false;
    if (group->Eof()) {
        Tell(MParse::TranslateFormat(QStringLiteral("找不到物料组%1或无权查看它，不能按物料组设置规则"),
                                     {ParentItemNumberName}));
        return false;
    }
    const QString stored = group->Field(QStringLiteral("FNumber")).toString();
    if (HostText::TrimBlanks(stored).isEmpty()) {
        // An empty number would spread the rule to every material of every group.
        Tell(MParse::TranslateFormat(QStringLiteral("物料组%1没有代码，不能按物料组设置规则"), {ParentItemNumberName}));
        return false;
    }
    number = stored.contains(QLatin1Char('(')) || parentGroupNumber_.isEmpty() ? stored : parentGroupNumber_;
    return true;
}

BatRuleEditor::CommitResult BatRuleEditor::Commit()
{
    if (!CheckTotalLength() || !CheckSerialOnce() || !CheckSerialLength() || !CheckPlainCells())
        return {};
    QString spreadNumber = parentGroupNumber_;
    if (!singleItem && !SpreadNumber(spreadNumber))
        return {};
    BatRuleSave save;
    save.SetBatRuleItemID(ItemID);
    save.SetBatRuleParentItemID(ParentItemID);
    save.SetBatRuleParentItemNumber(spreadNumber);
    save.SetBatRuleSpread(&grid_);
    save.SetBatRuleItemIsTop(options.itemIsTop != 0);
    if (!save.OperateSaveing())
        return {};
    return {WriteInOneUnit(save)};
}

// The writers and the options land together or not at all: the first
// failure is shown by its step, and leaving the unit undoes what was sent.
bool BatRuleEditor::WriteInOneUnit(BatRuleSave& save)
{
    std::optional<UnitOfWork> unit;
    if (!Attempt(QStringLiteral("系统在调用函数BeginTrans()时发生错误"), [&] { unit.emplace(CurrentHostConnection()); }))
        return false;
    const bool written =
        singleItem ? save.TakingItemDetailSaves() : save.TakingGroupDetailSaves() && save.TakingGroupSaves();
    return written
           && Attempt(QStringLiteral("系统在调用函数WriteBatchOptions()时发生错误"), [&] { options.WriteBatchOptions(); })
           && Attempt(QStringLiteral("系统在调用函数CommitTrans()时发生错误"), [&] { unit->Commit(); });
}
