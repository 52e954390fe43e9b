#include "BatRuleEditor.h"

#include "BatRuleSave.h"
#include "GLB.h"
#include "HostError.h"
#include "HostText.h"
#include "MParse.h"
#include "PropertyCatalogue.h"
#include "RWDatabase.h"
#include "RuleGrid.h"
#include "SpreadConsole.h"

namespace {

constexpr int kMaxTotalLength = 200;

void Tell(const QString& message)
{
    GLB::ShowErrorMessage(message, 0, false);
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

BatRuleEditor::CommitResult BatRuleEditor::Commit()
{
    if (!CheckTotalLength() || !CheckSerialOnce() || !CheckSerialLength())
        return {};
    BatRuleSave save;
    save.SetBatRuleItemID(ItemID);
    save.SetBatRuleParentItemID(ParentItemID);
    save.SetBatRuleParentItemNumber(parentGroupNumber_);
    save.SetBatRuleSpread(&grid_);
    save.SetBatRuleItemIsTop(options.itemIsTop != 0);
    if (!save.OperateSaveing())
        return {};
    CommitResult result{true, false};
    if (singleItem) {
        result.written = save.TakingItemDetailSaves();
    } else {
        const bool materials = save.TakingGroupDetailSaves();
        result.written = save.TakingGroupSaves() && materials;
    }
    try {
        options.WriteBatchOptions();
    } catch (const HostError& error) {
        // The rule is saved by now; the user learns that the options were not.
        GLB::ShowErrorMessage(MParse::TranslateText(QStringLiteral("系统在调用函数WriteBatchOptions()时发生错误")), 0,
                              true, &error);
        result.written = false;
    }
    return result;
}
