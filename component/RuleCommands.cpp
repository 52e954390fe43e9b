#include "RuleCommands.h"

#include "BatRuleEditor.h"
#include "BatRuleFace.h"
#include "BatRuleLedger.h"
#include "BatRuleSave.h"
#include "BatchNumberComposer.h"
#include "BatchPreview.h"
#include "CommandGuard.h"
#include "CommandSession.h"
#include "EditorTarget.h"
#include "GLB.h"
#include "HostError.h"
#include "HostText.h"
#include "LoadSteps.h"
#include "MMTS.h"
#include "MParse.h"
#include "MemoryRuleGrid.h"
#include "ModuleState.h"
#include "PropertyCatalogue.h"
#include "RWDatabase.h"
#include "SpreadConsole.h"
#include "SpreadDryRun.h"
#include "TextUtil.h"
#include "frmBatRuleSet.h"

#include <optional>

namespace vellbatchrule {

namespace RuleCommands {

namespace {

using namespace CommandGuard;

constexpr int kSampleSize = 20;

// Fills the editor's (or its window's) target.
void Aim(auto& editor, const Target& target)
{
    const EditorTarget aimed = EditorTarget::Resolve(target.itemId, target.groupId);
    editor.ItemID = aimed.ItemID;
    editor.ItemNumberName = aimed.ItemNumberName;
    editor.ParentItemID = aimed.ParentItemID;
    editor.ParentItemNumberName = aimed.ParentItemNumberName;
}

// The editor without its window, opened on the target.
struct OpenedEditor {
    explicit OpenedEditor(const Target& target)
    {
        Aim(editor, target);
        editor.Open();
    }
    MemoryRuleGrid grid;
    BatRuleEditor editor{grid};
};

QString PropertyItem(const QString& given, int level)
{
    const qint32 byId = given.toInt();
    for (const QString& item : SpreadConsole::PropertyListText()) {
        const qint32 id = TextUtil::IdOfText(item).toInt();
        const bool sameName = PropertyName(id).compare(given, Qt::CaseInsensitive) == 0
                              || MParse::TranslateText(given).compare(PropertyName(id), Qt::CaseInsensitive) == 0;
        if ((byId > 0 && byId == id) || sameName)
            return item;
    }
    Refuse("第%1级的属性“%2”不在属性列表中", {level, HostText::Excerpt(given)});
}

// A format given in Simplified Chinese is taken as the language's own item.
QString FormatItem(const RuleGrid& grid, int row, const QString& given)
{
    const QStringList items = grid.CellFormatOf(RuleGrid::Format, row).items;
    for (const QString& item : items)
        if (item.compare(given, Qt::CaseInsensitive) == 0)
            return item;
    const QString translated = MParse::TranslateText(given);
    return items.contains(translated) ? translated : given;
}

void Enter(RuleGrid& grid, int column, int row, const QString& text)
{
    const QString refusal = SpreadConsole::EnterCell(grid, column, row, text);
    if (!refusal.isEmpty())
        throw Refusal{refusal};
}

// One element typed into its row as a user fills the editor.
void FillRow(RuleGrid& grid, int row, const QString& element)
{
    const QStringList parts = element.split(QLatin1Char(':'));
    if (parts.size() > 5)
        Refuse("第%1级的“%2”多于五项：属性:格式:长度:补位符:替换符", {row, HostText::Excerpt(element)});
    Enter(grid, RuleGrid::Property, row, PropertyItem(parts[0].trimmed(), row));
    const std::optional<QString> given[] = {
        parts.size() > 1 ? std::optional(FormatItem(grid, row, parts[1])) : std::nullopt,
        parts.size() > 2 ? std::optional(parts[2]) : std::nullopt,
        parts.size() > 3 ? std::optional(parts[3]) : std::nullopt,
        parts.size() > 4 ? std::optional(parts[4]) : std::nullopt};
    for (int i = 0; i < 4; ++i) {
        const int column = RuleGrid::Format + i;
        if (given[i])
            Enter(grid, column, row, *given[i]);
        else if (column == RuleGrid::Substitute && !grid.IsLocked(column, row))
            Enter(grid, column, row, QString());   // nothing given: no substitute
    }
}

// "[A]+[B]+…" of the rule in the grid.
QString RuleTextOf(const RuleGrid& grid)
{
    QList<qint32> properties;
    for (int row = 1; row <= grid.RowCount(); ++row)
        if (const qint32 id = SpreadConsole::RowPropertyID(grid, row); id > 0)
            properties << id;
    return BatRuleLedger::RuleText(properties);
}

void PrintRule(const RuleGrid& grid, QTextStream& out)
{
    out << RuleTextOf(grid) << '\n';
    QStringList header;
    for (const char* text : {"级次", "属性", "格式", "长度", "补位符", "替换符"})
        header << MParse::TranslateText(QString::fromUtf8(text));
    out << header.join(QLatin1Char('\t')) << '\n';
    for (int row = 1; row <= grid.RowCount(); ++row) {
        if (SpreadConsole::RowPropertyID(grid, row) <= 0)
            continue;
        QStringList cells;
        for (int column = RuleGrid::Level; column <= RuleGrid::Substitute; ++column)
            cells << grid.Text(column, row);
        out << cells.join(QLatin1Char('\t')) << '\n';
    }
}

struct OptionRow {
    const char* key;
    const char* caption;
    int BatchOptions::*state;
};

const OptionRow kOptions[] = {
    {"BatchItemIsTop", "物料类设置不改变个别物料设置", &BatchOptions::itemIsTop},
    {"BatchManual", "在单据上可手工改变批号", &BatchOptions::manual},
    {"AutoCreateBatNo", "蓝字入库单批次号根据规则直接产生", &BatchOptions::autoCreate},
    {"BatchLackManual", "编码信息不全时可做手工改变", &BatchOptions::lackManual},
    {"BatchRepeatEcho", "批号重复给予提示", &BatchOptions::repeatEcho},
};

void PrintOptions(const BatchOptions& options, QTextStream& out)
{
    for (const OptionRow& row : kOptions)
        out << row.key << '=' << options.*row.state << '\t' << MParse::TranslateText(QString::fromUtf8(row.caption))
            << '\n';
}

// One material's line of a dry run: number, name, its rule now → after.
void PrintChange(const Recordset& material, const QString& newRule, QTextStream& out)
{
    out << material.Field(QStringLiteral("FNumber")).toString() << '\t' << material.Field(QStringLiteral("FName")).toString()
        << '\t' << BatRuleLedger::BatRuleText(material.Field(QStringLiteral("FItemID")).toInt()) << QStringLiteral(" → ")
        << newRule << '\n';
}

// What the prepared commit would change: the materials that get the rule,
// those the option spares, and the first of them with their rules now and after.
void PrintDryRun(const BatRuleEditor& editor, const RuleGrid& grid, QTextStream& out)
{
    const QString newRule = RuleTextOf(grid);
    if (editor.singleItem) {
        out << SpreadDryRun{1, 0}.Text(false) << '\n';
        PrintChange(*Visible(RWDatabase().FetchItem(editor.ItemID), "找不到物料%1", editor.ItemID), newRule, out);
        return;
    }
    const bool spare = editor.options.itemIsTop != 0;
    const auto counts = SpreadDryRun::Count(editor.PreparedSpreadNumber());
    const auto first = counts ? RWDatabase().FetchSpreadSample(editor.PreparedSpreadNumber(), spare, kSampleSize) : nullptr;
    if (!first)
        throw AlreadyShown{};
    out << MParse::TranslateFormat(QStringLiteral("物料组“%1”的规则：%2"),
                                   {editor.ParentItemNumberName,
                                    BatRuleLedger::StoredRuleText(editor.ParentItemID, 0) + QStringLiteral(" → ") + newRule})
        << '\n'
        << counts->Text(spare) << '\n';
    for (; !first->Eof(); first->MoveNext())
        PrintChange(*first, newRule, out);
}

// A property of the catalogue by its ID or its name in any of the languages.
qint32 CataloguedProperty(const QString& given)
{
    const ValueBag& catalogue = CurrentModuleState().propertyList;
    for (int position = 1; position < catalogue.Count(); position += 2) {
        const qint32 id = catalogue.Get(catalogue.KeyAt(position)).toInt();
        if (given == QString::number(id) || PropertyName(id).compare(given, Qt::CaseInsensitive) == 0
            || MParse::TranslateText(given).compare(PropertyName(id), Qt::CaseInsensitive) == 0)
            return id;
    }
    Refuse("属性“%1”不在属性目录中", {HostText::Excerpt(given)});
}

BatchDocument DocumentFor(const BatRuleEditor& editor, const PreviewDocument& given)
{
    BatchDocument document = BatchNumberComposer::SampleDocument(
        editor.singleItem ? BatchPreview::MaterialNumber(editor.ItemID) : QString());
    if (given.date)
        document.date = *given.date;
    if (given.line)
        document.line = *given.line;
    for (const auto& [property, value] : given.values)
        document.values[CataloguedProperty(property.trimmed())] = value;
    return document;
}

}

int ShowRule(const Target& target, QTextStream& out)
{
    return Guard([&] {
        CommandSession session;
        const OpenedEditor opened(target);
        const BatRuleEditor& editor = opened.editor;
        out << (editor.singleItem ? editor.ItemNumberName : editor.ParentItemNumberName) << '\n';
        PrintRule(opened.grid, out);
        return 0;
    });
}

int SetRule(const Target& target, const QStringList& elements, int itemIsTop, bool dryRun, QTextStream& out)
{
    return Guard([&] {
        CommandSession session;
        if (elements.isEmpty() || elements.size() > BatRuleEditor::MaxLevels)
            throw Refusal{BatRuleEditor::LevelCountRefusal()};
        const int shownBefore = GLB::MessagesShown();
        OpenedEditor opened(target);
        ExpectNothingShownSince(shownBefore);
        auto& [grid, editor] = opened;
        if (itemIsTop >= 0)
            editor.options.itemIsTop = itemIsTop;
        editor.SetLevelText(QString::number(elements.size()));
        for (int row = 1; row <= elements.size(); ++row)
            FillRow(grid, row, elements[row - 1]);
        if (dryRun) {
            BatRuleSave save;
            if (!editor.Prepare(save))
                return 1;
            PrintDryRun(editor, grid, out);
            return 0;
        }
        if (!editor.Commit().closed)
            return 1;
        PrintRule(grid, out);
        return 0;
    });
}

int PreviewRule(const Target& target, const PreviewDocument& given, QTextStream& out)
{
    return Guard([&] {
        CommandSession session;
        const OpenedEditor opened(target);
        const BatRuleEditor& editor = opened.editor;
        const QList<BatRuleStruct> elements = BatchPreview::GridElements(opened.grid, opened.grid.RowCount());
        if (elements.isEmpty())
            Refuse("%1没有批号规则", {editor.singleItem ? editor.ItemNumberName : editor.ParentItemNumberName});
        out << BatchNumberComposer::Compose(elements, DocumentFor(editor, given)) << '\n';
        return 0;
    });
}

int ShowOptions(QTextStream& out)
{
    return Guard([&] {
        CommandSession session;
        BatchOptions options;
        options.ReadBatchOptions();
        PrintOptions(options, out);
        return 0;
    });
}

int SetOptions(const QStringList& settings, QTextStream& out)
{
    return Guard([&] {
        CommandSession session;
        BatchOptions options;
        options.ReadBatchOptions();
        for (const QString& setting : settings) {
            const QString key = setting.section(QLatin1Char('='), 0, 0);
            const QString value = setting.section(QLatin1Char('='), 1);
            const OptionRow* row = nullptr;
            for (const OptionRow& candidate : kOptions)
                if (key.compare(QLatin1String(candidate.key), Qt::CaseInsensitive) == 0)
                    row = &candidate;
            if (!row)
                Refuse("没有选项“%1”", {HostText::Excerpt(key)});
            if (value != QStringLiteral("0") && value != QStringLiteral("1"))
                Refuse("选项%1只能是0或1，不能是“%2”", {key, HostText::Excerpt(value)});
            options.*(row->state) = value.toInt();
        }
        options.WriteBatchOptions();
        PrintOptions(options, out);
        return 0;
    });
}

int EditRule(const Target& target, QTextStream& err)
{
    // Nothing is shown in a box here: a window that cannot open must not wait for a click.
    try {
        CommandSession session;
        frmBatRuleSet window;
        Aim(window, target);
        window.ShowModal();
        return 0;
    } catch (const Refusal& refusal) {
        err << refusal.message << '\n';
    } catch (const HostError& error) {
        err << error.Description() << '\n';
    }
    return 1;
}

}

}
