#include "HistoryModel.h"

#include "AppConnection.h"
#include "BatRuleEditor.h"
#include "MParse.h"
#include "RuleHistory.h"
#include "RuleText.h"

namespace vellbatchrule {

HistoryModel::HistoryModel(AppConnection& connection, std::optional<std::pair<RuleOwner, qint32>> owner,
                           QObject* parent)
    : QAbstractTableModel(parent), connection_(connection), owner_(owner)
{
}

int HistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const Row& row = rows_[index.row()];
    switch (index.column()) {
    case Entry: return row.id;
    case Time: return row.time;
    case User: return row.user;
    case Source: return row.source;
    case Owner: return row.owner;
    case Before: return row.before;
    case After: return row.after;
    case Materials: return row.materials;
    default: return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const captions[ColumnCount] = {
        QT_TRANSLATE_NOOP("VEZAROZIVADA", "记录"),   QT_TRANSLATE_NOOP("VEZAROZIVADA", "时间"),
        QT_TRANSLATE_NOOP("VEZAROZIVADA", "用户"),   QT_TRANSLATE_NOOP("VEZAROZIVADA", "来源"),
        QT_TRANSLATE_NOOP("VEZAROZIVADA", "对象"),   QT_TRANSLATE_NOOP("VEZAROZIVADA", "更改前"),
        QT_TRANSLATE_NOOP("VEZAROZIVADA", "更改后"), QT_TRANSLATE_NOOP("VEZAROZIVADA", "物料数"),
    };
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return MParse::TranslateText(captions[section]);
}

bool HistoryModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && more_;
}

void HistoryModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || !more_)
        return;
    more_ = false;   // a failed read stops here, its failure shown
    const std::optional<qint32> before = rows_.isEmpty() ? std::nullopt : std::optional(rows_.last().id);
    QList<Row> page;
    const bool read = BatRuleEditor::CommitStep(QT_TRANSLATE_NOOP("VEZAROZIVADA", "系统在读取批号规则的历史时发生错误"), [&] {
        const auto rows = connection_.Execute(RuleHistory::PageSql(owner_, before, PageRows));
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            const RuleHistory::Entry e = RuleHistory::EntryOf(*rows);
            page.append({e.id, e.time, RuleHistory::UserText(e), RuleHistory::SourceText(e), RuleHistory::OwnerText(e),
                         RuleText::OfIds(e.before), RuleText::OfIds(e.after), e.materials});
        }
    });
    if (!read || page.isEmpty())
        return;
    beginInsertRows({}, int(rows_.size()), int(rows_.size() + page.size()) - 1);
    rows_.append(page);
    endInsertRows();
    more_ = page.size() == PageRows;
}

void HistoryModel::Reload()
{
    beginResetModel();
    rows_.clear();
    more_ = true;
    endResetModel();
    fetchMore({});
}

}
