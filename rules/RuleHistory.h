#pragma once

#include "BatRuleStruct.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace vellbatchrule {

class Recordset;

// Every write of a rule on record, in two tables of the component's own
// (`init` creates them): an entry per owner written (when, by the
// database's clock; who; which owner; through what; the rule as text
// before and after; how many materials a spread reached) and the rows the
// write replaced, with the owner's rows after it. A spread also keeps every
// material's rule it may have replaced, set-based. The batches run in the
// writer's unit, so a rollback leaves no entry.
namespace RuleHistory {

inline const QString kTable = QStringLiteral("ICBatchNoRuleHistory");
// What a reader or a restore says where the tables are missing.
inline constexpr char kNotKept[] = QT_TRANSLATE_NOOP(
    "VEZAROZIVADA", "数据库中没有批号规则历史表ICBatchNoRuleHistory，请先运行“vell-batchrule init”建立，此后的更改都会记录");
// FUserName's width, here and in the issued numbers' trace: a longer name is cut, not refused.
inline constexpr int kMaxUserName = 80;
// An entry's columns, as every list of entries reads them.
inline const QString kEntryColumns = QStringLiteral("FEntryID,FTime,FUserID,FUserName,FDetail,FItemID,FSource,FBefore,"
                                                    "FAfter,FMaterials");

QString CreateTableSql();

// The next entry's number (FNext), read inside the writer's unit.
QString NextEntrySql();

// The owner of an entry that changed the batch options (FDetail 2, FItemID 0).
inline constexpr RuleOwner kOptions = RuleOwner(2);

enum Stage { Before = 0, After = 1 };
// The owner's stored rows, copied under the entry.
QString OwnerRowsSql(qint32 entry, Stage stage, qint32 ownerId, RuleOwner owner);
// Before a spread: the rules of the batch-managed materials below the group
// number ("" for the root), which the spread may replace.
QString MaterialRowsSql(qint32 entry, const QString& groupNumber);

struct Entry {
    qint32 id = 0;
    qint32 userId = 0;
    QString userName;
    RuleOwner owner = RuleOwner::Material;
    qint32 ownerId = 0;
    QString source;   // editor, command, import
    QString before, after;   // the rules as property ids (RuleText::IdsOfRows), or an option change
    int materials = 0;
    QString time;            // by the database's clock, as read; EntrySql leaves it to the database
};
QString EntrySql(const Entry& entry);
// A row of kEntryColumns.
Entry EntryOf(const Recordset& row);
// "material 101", "group 7" or "options": the owner as the history's readers name it.
QString OwnerName(RuleOwner owner, qint32 ownerId);
// The same in the session's language ("物料101"), and the user as "张三(16394)": as a window or a message shows them.
QString OwnerText(const Entry& entry);
QString UserText(const Entry& entry);
// Through what, as the session's language names it ("编辑器" for editor).
QString SourceText(const Entry& entry);
// "03", "03.02" of "03.02.001": the groups above a number, whose spread reaches what is below it.
QStringList GroupNumbersAbove(const QString& number);

// The entries of an owner, or of every owner, newest first.
// From the day `since` on, where given.
QString ListSql(std::optional<std::pair<RuleOwner, qint32>> owner, const std::optional<QDate>& since = std::nullopt);

// At most `count` entries, as ListSql reads them, older than entry `before` where given.
QString PageSql(std::optional<std::pair<RuleOwner, qint32>> owner, std::optional<qint32> before, int count);

// One entry, as ListSql reads it.
QString EntryOfSql(qint32 entry);
// The owner's rows an entry wrote, as RWDatabase::BatchRuleSql reads the
// stored ones: the two give the same RuleVersion when nothing moved on.
QString AfterRowsSql(qint32 entry, RuleOwner owner, qint32 ownerId);
// The entries after `entry` that changed the owner's rule, newest first;
// for a spread (the group's number, "" for the root), also those that
// changed a material below the group, or spread a group above or below it.
QString LaterChangesSql(qint32 entry, RuleOwner owner, qint32 ownerId, const std::optional<QString>& spreadNumber);

// Puts back the owner's rows an entry replaced.
QString RestoreOwnerSql(qint32 entry, RuleOwner owner, qint32 ownerId);
// Puts back the rules of the materials below a spread's group that the
// user may reach (`scope`: the access filter on t2, the material): every
// one of them loses its rule, and those that had one before the spread get
// it back.
QString RestoreMaterialsSql(qint32 entry, const QString& groupNumber, const QString& scopeFrom,
                            const QString& scopeWhere);

}

}
