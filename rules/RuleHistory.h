#pragma once

#include "BatRuleStruct.h"

#include <QString>

#include <optional>

namespace vellbatchrule {

// Every write of a rule on record, in two tables of the component's own
// (`init` creates them): an entry per owner written (when, by the
// database's clock; who; which owner; through what; the rule as text
// before and after; how many materials a spread reached) and the rows the
// write replaced, with the owner's rows after it. A spread also keeps every
// material's rule it may have replaced, set-based. The batches run in the
// writer's unit, so a rollback leaves no entry.
namespace RuleHistory {

inline const QString kTable = QStringLiteral("ICBatchNoRuleHistory");

QString CreateTableSql();

// The next entry's number (FNext), read inside the writer's unit.
QString NextEntrySql();

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
    QString before, after;
    int materials = 0;
};
QString EntrySql(const Entry& entry);

// The entries of an owner, or of every owner, newest first.
QString ListSql(std::optional<std::pair<RuleOwner, qint32>> owner);

}

}
