#include "RuleImport.h"

#include "BatRuleEditor.h"
#include "GLB.h"
#include "HostText.h"
#include "MParse.h"
#include "MemoryRuleGrid.h"
#include "PropertyCatalogue.h"
#include "RWDatabase.h"
#include "SpreadConsole.h"
#include "TextUtil.h"

#include <algorithm>

namespace {

// Numbers match as the host database matches them: letter case and trailing blanks aside.
QString KeyOf(const QString& number)
{
    return HostText::TrimBlanks(number).toCaseFolded();
}

QString NumberName(const Recordset& rows)
{
    return rows.Field(QStringLiteral("FNumber")).toString() + QLatin1Char('(')
           + rows.Field(QStringLiteral("FName")).toString() + QLatin1Char(')');
}

}

QString RuleImport::LineMessage(int line, const QString& message)
{
    return MParse::TranslateFormat(QStringLiteral("第%1行：%2"), {line, message});
}

bool RuleImport::ReadOwners()
{
    RWDatabase database;
    const auto items = database.FetchBatchManagedItems();
    const auto groups = items ? database.FetchParentItem() : nullptr;
    if (!groups)
        return false;   // the query has shown why
    for (; !items->Eof(); items->MoveNext())
        items_.insert(KeyOf(items->Field(QStringLiteral("FNumber")).toString()),
                      {items->Field(QStringLiteral("FItemID")).toInt(), NumberName(*items),
                       items->Field(QStringLiteral("FParentID")).toInt()});
    for (; !groups->Eof(); groups->MoveNext())
        groups_.insert(KeyOf(groups->Field(QStringLiteral("FNumber")).toString()),
                       {groups->Field(QStringLiteral("FItemID")).toInt(), NumberName(*groups), 0});
    return true;
}

void RuleImport::Prepare(const RuleFile::Contents& file, int itemIsTop)
{
    for (const RuleFile::Problem& problem : file.problems)
        Refuse(problem.line, problem.message);
    if (!ReadOwners()) {
        Refuse(1, MParse::TranslateText(QStringLiteral("读不到物料和物料组，没有导入任何规则")));
        return;
    }
    options_.ReadBatchOptions();
    if (itemIsTop >= 0)
        options_.itemIsTop = itemIsTop;

    // The rows of one owner, wherever they stand in the file, in the order owners first appear.
    QList<QString> owners;
    QHash<QString, QList<RuleFile::Row>> rowsOf;
    for (const RuleFile::Row& row : file.rows) {
        const QString key = (row.group ? QStringLiteral("g:") : QStringLiteral("i:")) + KeyOf(row.number);
        if (!rowsOf.contains(key))
            owners << key;
        rowsOf[key] << row;
    }
    for (const QString& key : owners)
        PrepareRule(rowsOf[key].first().group, rowsOf[key].first().number, rowsOf[key]);
    std::stable_sort(refusals_.begin(), refusals_.end(), [](const Refusal& a, const Refusal& b) { return a.line < b.line; });
    // A group spreads before the rules of its materials land, outer groups before inner ones.
    std::stable_sort(rules_.begin(), rules_.end(), [](const Prepared& a, const Prepared& b) {
        return !a.singleItem && (b.singleItem || a.number < b.number);
    });
}

void RuleImport::PrepareRule(bool group, const QString& number, QList<RuleFile::Row> rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.element.FID < b.element.FID; });
    const int first = std::min_element(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.line < b.line; })->line;
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (rows[i].element.FID != i + 1)
            return Refuse(rows[i].line, MParse::TranslateFormat(QStringLiteral("级次应是%1，而不是%2：一条规则的级次从1起连续编号"),
                                                                {i + 1, rows[i].element.FID}));
    if (rows.size() > BatRuleEditor::MaxLevels)
        return Refuse(first, BatRuleEditor::LevelCountRefusal());
    const QString key = KeyOf(number);
    if (group && !key.isEmpty() && !groups_.contains(key))
        return Refuse(first, MParse::TranslateFormat(QStringLiteral("找不到物料组%1或无权查看它"), {HostText::Excerpt(number)}));
    if (!group && !items_.contains(key))
        return Refuse(first, MParse::TranslateFormat(QStringLiteral("找不到批次管理的物料%1或无权查看它"),
                                                     {HostText::Excerpt(number)}));

    MemoryRuleGrid grid;
    BatRuleEditor editor(grid);
    if (group) {
        const Owner owner = key.isEmpty() ? Owner{0, MParse::TranslateText(QStringLiteral("物料")), 0} : groups_[key];
        editor.ParentItemID = owner.id;
        editor.ParentItemNumberName = owner.text;
    } else {
        const Owner owner = items_[key];
        editor.ItemID = owner.id;
        editor.ItemNumberName = owner.text;
        editor.ParentItemID = owner.parentId;
    }
    editor.TakeTarget();
    editor.options = options_;
    editor.SetLevelText(QString::number(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (!FillRow(grid, int(i + 1), rows[i]))
            return;

    Prepared prepared{BatRuleSave(), editor.singleItem, QString()};
    GLB::MessageCapture refusals;
    grid.SetActiveCell(0, 0);
    if (!editor.Prepare(prepared.save)) {
        // The save engine puts the cursor on the row it refuses; the editor's own checks concern the whole rule.
        const int row = grid.ActiveRow();
        const int line = row >= 1 && row <= rows.size() ? rows[row - 1].line : first;
        for (const QString& message : refusals.Messages())
            Refuse(line, message);
        return;
    }
    prepared.save.SetBatRuleSpread(nullptr);   // the grid ends here; the collected rows are all the writers need
    prepared.number = editor.PreparedSpreadNumber();
    if (group)
        spreads_.append({editor.ParentItemNumberName, prepared.number});
    else
        ++itemRules_;
    rules_.push_back(std::move(prepared));
}

// The row as the editor shows a stored element, then its cells as a user types them.
bool RuleImport::FillRow(RuleGrid& grid, int row, const RuleFile::Row& element)
{
    const BatRuleStruct& e = element.element;
    if (!IsCatalogued(e.FPropertyID)) {
        Refuse(element.line, MParse::TranslateFormat(QStringLiteral("第%1级的属性%2不在属性目录中，单据无法提供它"),
                                                     {row, e.FPropertyID}));
        return false;
    }
    // Set as a stored property is: 项目号 is never offered, yet a stored rule may hold it.
    SpreadConsole::ApplyProperty(grid, e.FPropertyID, row);
    grid.SetText(RuleGrid::Property, row, TextUtil::ComposeIdText(PropertyName(e.FPropertyID), QString::number(e.FPropertyID)));
    QString format;
    switch (KindOf(e.FPropertyID)) {
    case PropertyKind::BaseData: {
        const QStringList codeLengths = grid.CellFormatOf(RuleGrid::Format, row).items;
        if (e.FUseShortNumber < 0 || e.FUseShortNumber >= codeLengths.size()) {
            Refuse(element.line, MParse::TranslateFormat(QStringLiteral("第%1级的FUseShortNumber应是0（长代码）或1（短代码）"), {row}));
            return false;
        }
        format = codeLengths[e.FUseShortNumber];
        break;
    }
    case PropertyKind::Date:
    case PropertyKind::LineNumber:
        format = e.FFormatDate;
        break;
    case PropertyKind::Custom:
    case PropertyKind::Serial:
        format = e.FSelDefine;
        break;
    case PropertyKind::DocumentNumber:
        break;
    }
    const QString cells[] = {format, QString::number(e.FWidth), e.FCharacter, e.FSubCharacter};
    for (int i = 0; i < 4; ++i) {
        const QString refusal = SpreadConsole::EnterCell(grid, RuleGrid::Format + i, row, cells[i]);
        if (!refusal.isEmpty()) {
            Refuse(element.line, refusal);
            return false;
        }
    }
    return true;
}

bool RuleImport::Write()
{
    return BatRuleEditor::WriteInOneUnit(options_, [this] {
        for (Prepared& rule : rules_)
            if (!BatRuleEditor::WriteRule(rule.save, rule.singleItem))
                return false;
        return true;
    });
}
