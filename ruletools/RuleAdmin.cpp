#include "RuleAdmin.h"

#include "BatRuleEditor.h"
#include "BatRuleSave.h"
#include "BatchNumberComposer.h"
#include "BatchPreview.h"
#include "CommandGuard.h"
#include "CommandSession.h"
#include "EditorTarget.h"
#include "GLB.h"
#include "HistoryRecorder.h"
#include "HostError.h"
#include "HostText.h"
#include "IssuerTables.h"
#include "LoadSteps.h"
#include "MMTS.h"
#include "MParse.h"
#include "PropertyCatalogue.h"
#include "RWDatabase.h"
#include "RuleHistory.h"
#include "RuleRestore.h"
#include "RuleText.h"
#include "SpreadConsole.h"
#include "SpreadDryRun.h"
#include "SpreadGridModel.h"
#include "UnitOfWork.h"

#include <optional>

namespace vellbatchrule {

namespace {

using namespace CommandGuard;
using Target = RuleAdmin::Target;

constexpr int kSampleSize = 20;

// The editor without its window, opened on the target.
struct OpenedEditor {
    // Stops when opening showed a failure: nothing is typed into a rule that could not be read.
    explicit OpenedEditor(const Target& target)
    {
        const int shownBefore = GLB::MessagesReported();
        EditorTarget::Resolve(target.itemId, target.groupId).Aim(editor);
        editor.Open();
        ExpectNothingReportedSince(shownBefore);
    }
    SpreadGridModel grid;
    BatRuleEditor editor{grid};
};

// One element typed into its row as a user fills the editor.
void FillRow(RuleGrid& grid, int row, const QString& element)
{
    if (const QString refusal = SpreadConsole::EnterElement(grid, row, element); !refusal.isEmpty())
        throw Refusal{refusal};
}

// "[A]+[B]+…" of the rule in the grid.
QString RuleTextOf(const RuleGrid& grid)
{
    QList<qint32> properties;
    for (int row = 1; row <= grid.RowCount(); ++row)
        if (const qint32 id = SpreadConsole::RowPropertyID(grid, row); id > 0)
            properties << id;
    return RuleText::Of(properties);
}

RuleAdmin::Rule RuleOf(const QString& owner, const RuleGrid& grid)
{
    RuleAdmin::Rule rule{owner, RuleTextOf(grid), {}, {}, {}};
    static const char* const captions[] = {
        QT_TRANSLATE_NOOP("VEZAROZIVADA", "级次"), QT_TRANSLATE_NOOP("VEZAROZIVADA", "属性"),
        QT_TRANSLATE_NOOP("VEZAROZIVADA", "格式"), QT_TRANSLATE_NOOP("VEZAROZIVADA", "长度"),
        QT_TRANSLATE_NOOP("VEZAROZIVADA", "补位符"), QT_TRANSLATE_NOOP("VEZAROZIVADA", "替换符")};
    for (const char* caption : captions)
        rule.captions << MParse::TranslateText(caption);
    for (int row = 1; row <= grid.RowCount(); ++row) {
        if (SpreadConsole::RowPropertyID(grid, row) <= 0)
            continue;
        QStringList cells;
        for (int column = RuleGrid::Level; column <= RuleGrid::Substitute; ++column)
            cells << grid.Text(column, row);
        rule.rows << cells;
    }
    return rule;
}

QString OwnerOf(const BatRuleEditor& editor)
{
    return editor.singleItem ? editor.ItemNumberName : editor.ParentItemNumberName;
}

struct OptionRow {
    const char* key;
    const char* caption;
    int BatchOptions::*state;
};

const OptionRow kOptions[] = {
    {"BatchItemIsTop", QT_TRANSLATE_NOOP("VEZAROZIVADA", "物料类设置不改变个别物料设置"), &BatchOptions::itemIsTop},
    {"BatchManual", QT_TRANSLATE_NOOP("VEZAROZIVADA", "在单据上可手工改变批号"), &BatchOptions::manual},
    {"AutoCreateBatNo", QT_TRANSLATE_NOOP("VEZAROZIVADA", "蓝字入库单批次号根据规则直接产生"), &BatchOptions::autoCreate},
    {"BatchLackManual", QT_TRANSLATE_NOOP("VEZAROZIVADA", "编码信息不全时可做手工改变"), &BatchOptions::lackManual},
    {"BatchRepeatEcho", QT_TRANSLATE_NOOP("VEZAROZIVADA", "批号重复给予提示"), &BatchOptions::repeatEcho},
};

QList<RuleAdmin::Option> OptionsOf(const BatchOptions& options)
{
    QList<RuleAdmin::Option> answer;
    for (const OptionRow& row : kOptions)
        answer.append({QLatin1String(row.key), options.*row.state, MParse::TranslateText(row.caption)});
    return answer;
}

RuleAdmin::HistoryEntry HistoryEntryOf(const Recordset& rows)
{
    const RuleHistory::Entry e = RuleHistory::EntryOf(rows);
    return {e.id,     e.time,   e.userId, e.userName, RuleHistory::OwnerName(e.owner, e.ownerId), e.source,
            RuleText::OfIds(e.before), RuleText::OfIds(e.after), e.materials};
}

RuleAdmin::MaterialChange ChangeOf(const Recordset& material, const QString& newRule)
{
    return {material.Field(QStringLiteral("FNumber")).toString(), material.Field(QStringLiteral("FName")).toString(),
            RuleText::OfMaterial(material.Field(QStringLiteral("FItemID")).toInt()), newRule};
}

// What the prepared commit would change: the materials that get the rule,
// those the option spares, and the first of them with their rules now and after.
RuleAdmin::RulePlan PlanOf(const BatRuleEditor& editor, const RuleGrid& grid)
{
    const QString newRule = RuleTextOf(grid);
    if (editor.singleItem)
        return {QString(), SpreadDryRun{1, 0}.Text(false),
                {ChangeOf(*Visible(RWDatabase().FetchItem(editor.ItemID), QT_TRANSLATE_NOOP("VEZAROZIVADA", "找不到物料%1"), editor.ItemID), newRule)},
                QString()};
    const bool spare = editor.options.itemIsTop != 0;
    const auto counts = SpreadDryRun::Count(editor.PreparedSpreadNumber());
    const auto first = counts ? RWDatabase().FetchSpreadSample(editor.PreparedSpreadNumber(), spare, kSampleSize) : nullptr;
    if (!first)
        throw AlreadyShown{};
    RuleAdmin::RulePlan plan{
        MParse::TranslateFormat("物料组“%1”的规则：%2",
                                {editor.ParentItemNumberName,
                                 RuleText::OfStored(editor.ParentItemID, RuleOwner::Group) + QStringLiteral(" → ")
                                     + newRule}),
        counts->Text(spare), {}, QString()};
    for (; !first->Eof(); first->MoveNext())
        plan.sample << ChangeOf(*first, newRule);
    if (const int more = counts->Receiving(spare) - int(plan.sample.size()); more > 0)
        plan.rest = MParse::TranslateFormat("……另有%1个物料", {more});
    return plan;
}

// The editor on the target with the elements typed in, ready to prepare or commit.
struct FilledEditor : OpenedEditor {
    FilledEditor(const Target& target, const QStringList& elements, RuleAdmin::OwnRules ownRules)
        : OpenedEditor(ExpectLevels(target, elements))
    {
        if (const int itemIsTop = ItemIsTopOf(ownRules); itemIsTop >= 0)
            editor.options.itemIsTop = itemIsTop;
        editor.SetLevelText(QString::number(elements.size()));
        for (int row = 1; row <= elements.size(); ++row)
            FillRow(grid, row, elements[row - 1]);
    }

    static const Target& ExpectLevels(const Target& target, const QStringList& elements)
    {
        if (elements.isEmpty() || elements.size() > BatRuleEditor::MaxLevels)
            throw Refusal{BatRuleEditor::LevelCountRefusal()};
        return target;
    }
};

qint32 CataloguedProperty(const QString& given)
{
    if (const qint32 id = PropertyIdOf(given); id > 0)
        return id;
    Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "属性“%1”不在属性目录中"), {HostText::Excerpt(given)});
}

BatchDocument DocumentFor(const BatRuleEditor& editor, const RuleAdmin::PreviewDocument& given)
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

namespace {

QString& HistorySource()
{
    static QString source = QStringLiteral("host");
    return source;
}

}

void RuleAdmin::SetHistorySource(const QString& source)
{
    HistorySource() = source;
}

Result<RuleAdmin::Rule> RuleAdmin::ShowRule(const Target& target)
{
    return InSession([&] {
        const OpenedEditor opened(target);
        RuleAdmin::Rule rule = RuleOf(OwnerOf(opened.editor), opened.grid);
        rule.version = opened.editor.LoadedVersion();
        return rule;
    });
}

Result<RuleAdmin::Rule> RuleAdmin::SetRule(const Target& target, const QStringList& elements, OwnRules ownRules,
                                           const QString& ifVersion)
{
    return InSession([&] {
        FilledEditor filled(target, elements, ownRules);
        BatRuleEditor& editor = filled.editor;
        editor.historySource = HistorySource();
        if (!ifVersion.isEmpty()) {
            editor.ExpectVersion(ifVersion);
            editor.onConflict = [&](const QString&, const QString& now) {
                GLB::ShowErrorMessage(MParse::TranslateFormat("%1的批号规则现为版本%2，而不是%3，什么也没有写",
                                                              {OwnerOf(editor), now, HostText::Excerpt(ifVersion)}),
                                      0, false);
                return BatRuleEditor::Conflict::Back;
            };
        }
        if (!editor.Commit().closed)
            throw AlreadyShown{};
        RuleAdmin::Rule rule = RuleOf(OwnerOf(editor), filled.grid);
        rule.version = editor.StoredVersion();
        return rule;
    });
}

Result<RuleAdmin::RulePlan> RuleAdmin::PlanRule(const Target& target, const QStringList& elements,
                                                       OwnRules ownRules)
{
    return InSession([&] {
        FilledEditor filled(target, elements, ownRules);
        BatRuleSave save;
        if (!filled.editor.Prepare(save))
            throw AlreadyShown{};
        return PlanOf(filled.editor, filled.grid);
    });
}

Result<QString> RuleAdmin::PreviewRule(const Target& target, const PreviewDocument& given)
{
    return InSession([&] {
        const OpenedEditor opened(target);
        const QList<BatRuleStruct> elements = BatchPreview::GridElements(opened.grid, opened.grid.RowCount());
        if (elements.isEmpty())
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "%1没有批号规则"), {OwnerOf(opened.editor)});
        return BatchNumberComposer::Compose(elements, DocumentFor(opened.editor, given));
    });
}

Result<QList<RuleAdmin::HistoryEntry>> RuleAdmin::ShowHistory(const std::optional<Target>& target,
                                                               const std::optional<QDate>& since)
{
    return InSession([&](const CommandSession& session) {
        if (!IssuerTables::Exists(session.Connection(), RuleHistory::kTable))
            Refuse(RuleHistory::kNotKept);
        std::optional<std::pair<RuleOwner, qint32>> owner;
        if (target) {
            const EditorTarget resolved = EditorTarget::Resolve(target->itemId, target->groupId);
            owner = resolved.ItemID != 0 ? std::pair{RuleOwner::Material, resolved.ItemID}
                                         : std::pair{RuleOwner::Group, resolved.ParentItemID};
        } else if (!RWDatabase::SeesEveryGroup()) {
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "只有有权查看所有物料组的用户才能查看全部规则的历史"));
        }
        QList<HistoryEntry> entries;
        for (const auto rows = session.Connection().Execute(RuleHistory::ListSql(owner, since)); rows && !rows->Eof();
             rows->MoveNext())
            entries.append(HistoryEntryOf(*rows));
        return entries;
    });
}

Result<RuleAdmin::HistoryEntry> RuleAdmin::RestoreHistory(int entry, bool force)
{
    return InSession([&](const CommandSession& session) {
        RuleRestore restore(session.Connection(), entry);
        restore.onConflict = [&](const QString& reason) {
            if (!force)
                GLB::ShowErrorMessage(MParse::TranslateFormat("%1，什么也没有恢复", {reason}), 0, false);
            return force;
        };
        if (!restore.Restore())
            throw AlreadyShown{};
        const auto newest = session.Connection().Execute(RuleHistory::PageSql(restore.Owner(), std::nullopt, 1));
        return HistoryEntryOf(*newest);
    });
}

Result<QList<RuleAdmin::Option>> RuleAdmin::ShowOptions()
{
    return InSession([&] {
        BatchOptions options;
        options.ReadBatchOptions();
        return OptionsOf(options);
    });
}

Result<QList<RuleAdmin::Option>> RuleAdmin::SetOptions(const QStringList& settings)
{
    return InSession([&](const CommandSession& session) {
        QList<std::pair<const OptionRow*, int>> named;
        for (const QString& setting : settings) {
            const QString key = setting.section(QLatin1Char('='), 0, 0);
            const QString value = setting.section(QLatin1Char('='), 1);
            const OptionRow* row = nullptr;
            for (const OptionRow& candidate : kOptions)
                if (key.compare(QLatin1String(candidate.key), Qt::CaseInsensitive) == 0)
                    row = &candidate;
            if (!row)
                Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "没有选项“%1”"), {HostText::Excerpt(key)});
            if (value != QStringLiteral("0") && value != QStringLiteral("1"))
                Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "选项%1只能是0或1，不能是“%2”"), {key, HostText::Excerpt(value)});
            named.append({row, value.toInt()});
        }
        // Read, changed and written as one: an option another administrator sets meanwhile stays his.
        HistoryRecorder history(session.Connection(), QStringLiteral("options"));
        UnitOfWork unit(session.Connection());
        BatchOptions options;
        options.ReadBatchOptions();
        const BatchOptions before = options;
        QStringList keys;
        for (const auto& [row, state] : named) {
            options.*(row->state) = state;
            keys << QLatin1String(row->key);
        }
        session.Connection().Execute(options.WriteKeysSql(keys));
        if (!history.RecordOptions(before, options))
            throw AlreadyShown{};
        unit.Commit();
        return OptionsOf(options);
    });
}

Result<void> RuleAdmin::RunSql(const QString& batch, const std::function<void(Recordset* rows)>& rows)
{
    return Done(InSession([&](const CommandSession& session) {
        if (!RWDatabase::SeesEveryGroup())
            Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "只有有权查看所有物料组的用户才能运行SQL语句"));
        rows(session.Connection().Execute(batch).get());
        return true;
    }));
}

}
