#include "RuleImport.h"

#include "BatRuleEditor.h"
#include "BatRuleSave.h"
#include "EditorTarget.h"
#include "GLB.h"
#include "HistoryRecorder.h"
#include "HostText.h"
#include "MParse.h"
#include "ModuleState.h"
#include "PropertyCatalogue.h"
#include "RWDatabase.h"
#include "RuleVersion.h"
#include "SpreadConsole.h"
#include "SpreadGridModel.h"
#include "TextUtil.h"

#include <algorithm>

namespace vellbatchrule {

namespace {

// Numbers match loosely as the host database matches them: letter case and trailing blanks aside.
QString KeyOf(const QString& number)
{
    return HostText::TrimBlanks(number).toCaseFolded();
}

QString NumberName(const Recordset& rows)
{
    return rows.Field(QStringLiteral("FNumber")).toString() + QLatin1Char('(')
           + rows.Field(QStringLiteral("FName")).toString() + QLatin1Char(')');
}

QString Quoted(const QString& number)
{
    return QStringLiteral("“") + HostText::Excerpt(number) + QStringLiteral("”");
}

}

QString RuleImport::LineMessage(int line, const QString& message)
{
    return MParse::TranslateFormat("第%1行：%2", {line, message});
}

bool RuleImport::ReadOwners()
{
    RWDatabase database;
    const auto items = database.FetchBatchManagedItems();
    const auto groups = items ? database.FetchParentItem() : nullptr;
    if (!groups)
        return false;   // the query has shown why
    for (; !items->Eof(); items->MoveNext()) {
        const QString number = items->Field(QStringLiteral("FNumber")).toString();
        items_.insert(KeyOf(number), {items->Field(QStringLiteral("FItemID")).toInt(), number, NumberName(*items),
                                      items->Field(QStringLiteral("FParentID")).toInt()});
    }
    for (; !groups->Eof(); groups->MoveNext()) {
        const QString number = groups->Field(QStringLiteral("FNumber")).toString();
        groups_.insert(KeyOf(number), {groups->Field(QStringLiteral("FItemID")).toInt(), number, NumberName(*groups), 0});
    }
    rootRefusal_ = EditorTarget::RootRefusal();
    return true;
}

bool RuleImport::Begin(int itemIsTop)
{
    if (!ReadOwners()) {
        Refuse(1, MParse::TranslateText("读不到物料和物料组，没有导入任何规则"));
        return false;
    }
    options_.ReadBatchOptions();
    loadedOptions_ = options_;
    if (itemIsTop >= 0)
        options_.itemIsTop = itemIsTop;
    return true;
}

qint64 RuleImport::MaxRows() const
{
    return (qint64(items_.size()) + groups_.size() + 1) * BatRuleEditor::MaxLevels;   // the root is an owner too
}

// The owner stored with exactly this number, else the only one it matches
// loosely; a number that matches several only loosely names none of them.
RuleImport::Resolution RuleImport::Resolve(bool group, const QString& number) const
{
    const QString key = KeyOf(number);
    if (group && key.isEmpty() && !rootRefusal_.isEmpty())
        return {std::nullopt, rootRefusal_};
    if (group && key.isEmpty())
        return {Owner{0, QString(), MParse::TranslateText("物料"), 0}, QString()};
    const QList<Owner> loose = (group ? groups_ : items_).values(key);
    QList<Owner> exact;
    std::copy_if(loose.begin(), loose.end(), std::back_inserter(exact), [&](const Owner& o) { return o.number == number; });
    if (exact.size() == 1)
        return {exact.first(), QString()};
    if (exact.isEmpty() && loose.size() == 1)
        return {loose.first(), QString()};
    if (loose.isEmpty())
        return {std::nullopt, group ? MParse::TranslateFormat("找不到物料组%1或无权查看它", {HostText::Excerpt(number)})
                                    : MParse::TranslateFormat("找不到批次管理的物料%1或无权查看它",
                                                              {HostText::Excerpt(number)})};
    QStringList numbers;
    for (const Owner& owner : exact.isEmpty() ? loose : exact)
        numbers << owner.number;
    numbers.sort();
    QStringList candidates;
    for (const QString& candidate : numbers)
        candidates << Quoted(candidate);
    const char* ambiguous = group ? QT_TRANSLATE_NOOP("VEZAROZIVADA", "物料组代码%1与多个物料组相近：%2，不能确定是哪一个")
                                  : QT_TRANSLATE_NOOP("VEZAROZIVADA", "物料代码%1与多个物料相近：%2，不能确定是哪一个");
    return {std::nullopt, MParse::TranslateFormat(ambiguous,
                                                  {Quoted(number), candidates.join(QStringLiteral(", "))})};
}

int RuleImport::PendingOf(const RuleFile::Row& row)
{
    const QString exact = (row.group ? QStringLiteral("g:") : QStringLiteral("i:")) + row.number;
    if (const auto known = pendingByNumber_.constFind(exact); known != pendingByNumber_.cend())
        return *known;
    // Two spellings of one owner's number are the rows of one rule.
    Resolution resolution = Resolve(row.group, row.number);
    const QString owner = resolution.owner ? QStringLiteral("id:") + exact.left(2) + QString::number(resolution.owner->id)
                                           : QStringLiteral("none:") + exact;
    int index = pendingByOwner_.value(owner, -1);
    if (index < 0) {
        index = int(pending_.size());
        pending_.push_back({row.group, row.number, std::move(resolution.owner), resolution.refusal, {}, {}});
        pendingByOwner_.insert(owner, index);
    }
    pendingByNumber_.insert(exact, index);
    return index;
}

// A file repeats a few texts ("yymmdd", "0", "") over and over: each is kept once.
qint32 RuleImport::TextIndex(const QString& text)
{
    const auto known = textIndex_.constFind(text);
    if (known != textIndex_.cend())
        return *known;
    const qint32 index = qint32(texts_.size());
    texts_ << text;
    textIndex_.insert(text, index);
    return index;
}

void RuleImport::Take(const RuleFile::Row& row)
{
    const BatRuleStruct& e = row.element;
    const Element element{row.line,         e.FID,
                          e.FPropertyID,    e.FUseShortNumber,
                          e.FWidth,         TextIndex(e.FFormatDate),
                          TextIndex(e.FSelDefine), TextIndex(e.FCharacter),
                          TextIndex(e.FSubCharacter)};
    Pending& pending = pending_[PendingOf(row)];
    if (pending.elements.isEmpty())
        pending.version = row.version;
    pending.elements << element;
}

void RuleImport::Finish(const QList<RuleFile::Problem>& problems)
{
    for (const RuleFile::Problem& problem : problems)
        Refuse(problem.line, problem.message);
    for (std::size_t index = 0; index < pending_.size(); ++index) {
        // Checked now, collected again when written: a file's saves would hold the whole file many times over.
        BatRuleSave save;
        Prepared prepared{index, !pending_[index].group, QString(), QString()};
        if (!Collect(prepared, save))
            continue;
        itemRules_ += prepared.singleItem ? 1 : 0;
        rules_.push_back(prepared);
    }
    std::stable_sort(refusals_.begin(), refusals_.end(), [](const Refusal& a, const Refusal& b) { return a.line < b.line; });
    const bool spare = options_.itemIsTop != 0;
    std::stable_sort(rules_.begin(), rules_.end(), [spare](const Prepared& a, const Prepared& b) {
        if (a.singleItem || b.singleItem)
            return !a.singleItem && b.singleItem;
        return spare ? a.number.size() > b.number.size() : a.number.size() < b.number.size();
    });
}

void RuleImport::Prepare(const RuleFile::Contents& file, int itemIsTop)
{
    if (!Begin(itemIsTop))
        return;
    for (const RuleFile::Row& row : file.rows)
        Take(row);
    Finish(file.problems);
}

bool RuleImport::Collect(Prepared& prepared, BatRuleSave& save)
{
    const Pending& pending = pending_[prepared.pending];
    QList<std::pair<int, BatRuleStruct>> rows;   // line, element
    for (const Element& e : pending.elements)
        rows.append({e.line, BatRuleStruct{e.fid, 0, e.propertyId, e.useShortNumber, texts_[e.formatDate],
                                           texts_[e.selDefine], e.width, texts_[e.character], texts_[e.subCharacter]}});
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.second.FID < b.second.FID; });
    const int first = pending.elements.first().line;
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (rows[i].second.FID != i + 1)
            return Refused(rows[i].first, MParse::TranslateFormat("级次应是%1，而不是%2：一条规则的级次从1起连续编号",
                                                                  {i + 1, rows[i].second.FID}));
    if (rows.size() > BatRuleEditor::MaxLevels)
        return Refused(first, BatRuleEditor::LevelCountRefusal());
    if (!pending.owner)
        return Refused(first, pending.refusal);

    SpreadGridModel grid;
    BatRuleEditor editor(grid);
    const Owner& owner = *pending.owner;
    if (pending.group) {
        editor.ParentItemID = owner.id;
        editor.ParentItemNumberName = owner.text;
    } else {
        editor.ItemID = owner.id;
        editor.ItemNumberName = owner.text;
        editor.ParentItemID = owner.parentId;
    }
    editor.TakeTarget();
    editor.options = options_;
    editor.SetLevelText(QString::number(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (!FillRow(grid, int(i + 1), rows[i].first, rows[i].second))
            return false;

    GLB::MessageCapture refusals;
    grid.SetActiveCell(0, 0);
    if (!editor.Prepare(save)) {
        // The save engine puts the cursor on the row it refuses; the editor's own checks concern the whole rule.
        const int row = grid.ActiveRow();
        const int line = row >= 1 && row <= rows.size() ? rows[row - 1].first : first;
        for (const QString& message : refusals.Messages())
            Refuse(line, message);
        return false;
    }
    save.SetBatRuleSpread(nullptr);   // the grid ends here; the collected rows are all the writers need
    prepared.singleItem = editor.singleItem;
    prepared.number = editor.PreparedSpreadNumber();
    prepared.text = owner.text;
    return true;
}

// The row as the editor shows a stored element, then its cells as a user types them.
bool RuleImport::FillRow(RuleGrid& grid, int row, int line, const BatRuleStruct& e)
{
    if (!IsCatalogued(e.FPropertyID)) {
        Refuse(line, MParse::TranslateFormat("第%1级的属性%2不在属性目录中，单据无法提供它",
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
            Refuse(line, MParse::TranslateFormat("第%1级的FUseShortNumber应是0（长代码）或1（短代码）", {row}));
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
            Refuse(line, refusal);
            return false;
        }
    }
    return true;
}

std::optional<QList<RuleImport::SpreadChange>> RuleImport::DryRun() const
{
    QList<SpreadChange> changes;
    for (const Prepared& rule : rules_) {
        if (rule.singleItem)
            continue;
        // The file's more specific groups below this one win their materials, whatever the order.
        QStringList inner;
        for (const Prepared& other : rules_)
            if (!other.singleItem && other.number.size() > rule.number.size()
                && (rule.number.isEmpty() || other.number.startsWith(rule.number + QLatin1Char('.'), Qt::CaseInsensitive)))
                inner << other.number;
        const auto counts = SpreadDryRun::Count(rule.number, inner);
        if (!counts)
            return std::nullopt;
        changes.append({rule.text, *counts});
    }
    return changes;
}

bool RuleImport::Write()
{
    HistoryRecorder history(CurrentHostConnection(), QStringLiteral("import"));
    return BatRuleEditor::WriteInOneUnit(options_, [&] {
        for (Prepared& rule : rules_) {
            BatRuleSave save;
            const qsizetype refusedBefore = refusals_.size();
            if (!Collect(rule, save)) {
                // Only a database changed since the check refuses now; say so as the check would have.
                for (qsizetype i = refusedBefore; i < refusals_.size(); ++i)
                    GLB::ShowErrorMessage(LineMessage(refusals_[i].line, refusals_[i].message), 0, false);
                return false;
            }
            if (requireUnchanged && !StillAsExported(pending_[rule.pending], rule.singleItem))
                return false;
            const Owner& owner = *pending_[rule.pending].owner;
            const auto write = [&] { return BatRuleEditor::WriteRule(save, rule.singleItem); };
            const bool written = rule.singleItem
                                     ? history.Record(RuleOwner::Material, owner.id, std::nullopt, false, write)
                                     : history.Record(RuleOwner::Group, owner.id, rule.number, options_.itemIsTop != 0, write);
            if (!written)
                return false;
        }
        return true;
    }, &loadedOptions_, &history);
}

bool RuleImport::StillAsExported(const Pending& pending, bool singleItem) const
{
    const Owner& owner = *pending.owner;
    const RuleOwner kind = singleItem ? RuleOwner::Material : RuleOwner::Group;
    if (pending.version.isEmpty()) {
        GLB::ShowErrorMessage(MParse::TranslateFormat("%1的规则没有Version列，不能确认它没有变；请用“rule export --versions”导出规则文件",
                                                      {owner.text}),
                              0, false);
        return false;
    }
    const auto stored = RWDatabase().FetchBatchRule(owner.id, kind);
    if (!stored)
        return false;   // the read has shown why
    if (RuleVersion::Of(*stored) == pending.version)
        return true;
    QString newer;
    if (!BatRuleEditor::CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在读取批号规则的历史时发生错误"),
                                   [&] { newer = HistoryRecorder::NewestChangeText(CurrentHostConnection(), kind, owner.id); }))
        return false;
    GLB::ShowErrorMessage(MParse::TranslateFormat("%1的批号规则在导出之后已被更改（%2），什么也没有导入",
                                                  {owner.text, newer.isEmpty() ? MParse::TranslateText("历史中没有这次更改")
                                                                               : newer}),
                          0, false);
    return false;
}

}
