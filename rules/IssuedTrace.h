#pragma once

#include "RuleHistory.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vellbatchrule {

class AppConnection;

// Where each issued number came from: when (by the database's clock), for
// whom and from which version of the material's rule (RuleVersion), in a
// table of the component's own beside ICBatchNoIssued, whose two columns and
// unique index stored data and peers rely on: ICBatchNoIssuedTrace, written
// in the issuer's unit of work; a database without it issues untraced.
class IssuedTrace {
public:
    IssuedTrace(AppConnection& connection, qint32 itemId);

    struct Issue {
        QString time;   // by the database's clock; not written, the database gives it
        qint32 userId = 0;
        QString userName;
        QString version;
    };
    // Inside the issuer's unit of work: the numbers just recorded as issued.
    void Record(const QStringList& numbers, const Issue& issue);
    // The number's latest issue on record.
    std::optional<Issue> Find(const QString& number);

    // The newest rule write on record, no later than the number's issue,
    // that left the material's rule at `version`: one of the material's own
    // entries, or a group's above it whose rule a spread gave the material.
    // Needs the history tables.
    std::optional<RuleHistory::Entry> WriteOf(const QString& number, const QString& version, const QString& materialNumber);

    static const QString kTable;
    static QString CreateTableSql();
    // One statement for at most IssuedNumbers::kRowsPerStatement numbers.
    QString RecordSql(const QStringList& numbers, const Issue& issue) const;
    QString FindSql(const QString& number) const;
    // The material's entries and those of the groups whose numbers are given
    // (and the root's), newest first, as ListSql's columns.
    QString EntriesSql(const QString& number, const QStringList& groupNumbers) const;
    // An entry's rows after its write as the material's, in the rule query's
    // columns and order: what RuleVersion digests.
    QString WrittenRowsSql(qint32 entry) const;

private:
    AppConnection& connection_;
    qint32 itemId_;
};

}
