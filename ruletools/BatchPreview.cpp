#include "BatchPreview.h"

#include "BatRuleSave.h"
#include "GLB.h"
#include "HostError.h"
#include "MParse.h"
#include "RWDatabase.h"
#include "RuleGrid.h"
#include "SpreadConsole.h"

#include <algorithm>

namespace vellbatchrule {

namespace BatchPreview {

QList<BatRuleStruct> GridElements(const RuleGrid& grid, int levels)
{
    QList<BatRuleStruct> elements;
    for (int row = 1; row <= std::min(levels, grid.RowCount()); ++row) {
        if (SpreadConsole::RowPropertyID(grid, row) <= 0)
            continue;
        try {
            elements.append(BatRuleSave::RowElement(grid, row));
        } catch (const HostError&) {
            // A length the save could not take either: the row waits until it is whole.
        }
    }
    return elements;
}

namespace {

// The grid with one cell answering as typed; everything else as the grid has it.
class TypedGrid : public RuleGrid {
public:
    TypedGrid(const RuleGrid& grid, const TypedCell& typed) : grid_(grid), typed_(typed) {}

    int RowCount() const override { return grid_.RowCount(); }
    void SetRowCount(int) override {}
    QString Text(int column, int row) const override
    {
        return IsTyped(column, row) ? typed_.text : grid_.Text(column, row);
    }
    void SetText(int, int, const QString&) override {}
    QVariant Value(int column, int row) const override
    {
        if (!IsTyped(column, row))
            return grid_.Value(column, row);
        return CellFormatOf(column, row).kind == CellKind::WholeNumber ? QVariant(typed_.text.toInt()) : QVariant(typed_.text);
    }
    CellFormat CellFormatOf(int column, int row) const override { return grid_.CellFormatOf(column, row); }
    void SetCellFormat(int, int, const CellFormat&) override {}
    bool IsLocked(int column, int row) const override { return grid_.IsLocked(column, row); }
    void SetLocked(int, int, bool) override {}
    void SetFocus() override {}
    void SetActiveCell(int, int) override {}
    int ActiveColumn() const override { return grid_.ActiveColumn(); }
    int ActiveRow() const override { return grid_.ActiveRow(); }

private:
    bool IsTyped(int column, int row) const { return column == typed_.column && row == typed_.row; }

    const RuleGrid& grid_;
    const TypedCell& typed_;
};

}

QList<BatRuleStruct> GridElements(const RuleGrid& grid, int levels, const TypedCell& typed)
{
    return GridElements(TypedGrid(grid, typed), levels);
}

QString MaterialNumber(qint32 itemId)
{
    if (itemId <= 0)
        return QString();
    GLB::MessageCapture quiet;
    try {
        const auto material = RWDatabase().FetchItem(itemId);
        return material && !material->Eof() ? material->Field(QStringLiteral("FNumber")).toString() : QString();
    } catch (const HostError&) {
        return QString();
    }
}

bool HasError(const QList<RuleLint::Finding>& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const RuleLint::Finding& finding) { return finding.severity == RuleLint::Severity::Error; });
}

QString LineText(const QString& number, bool faulty)
{
    const QString caption = faulty ? MParse::TranslateText("示例批号（有误）：") : MParse::TranslateText("示例批号：");
    return caption + number;
}

QString ToolTip(const QString& number, const QList<RuleLint::Finding>& findings)
{
    QStringList lines{LineText(number, HasError(findings))};
    for (const RuleLint::Finding& finding : findings)
        lines << MParse::TranslateFormat("%1：%2", {RuleLint::SeverityText(finding.severity), finding.text});
    return lines.join(QLatin1Char('\n'));
}

}

}
