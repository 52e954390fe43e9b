#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace vellbatchrule {

class AppConnection;

// The batch numbers issued for each material, in the component's own table
// ICBatchNoIssued (FItemID, FBatchNo) under a unique index: what keeps a
// number from being issued twice, whichever rule, counter or element values
// composed it.
class IssuedNumbers {
public:
    IssuedNumbers(AppConnection& connection, qint32 itemId);

    // The keys of those of `numbers` issued before. `hold`, inside a unit of
    // work: the numbers looked at stay locked until the unit ends, so no
    // other connection records one of them meanwhile.
    QSet<QString> IssuedAmong(const QStringList& numbers, bool hold);
    // Inside a unit of work: the numbers, none of them issued before.
    void Record(const QStringList& numbers);

    // What two numbers share when the host database may take them for one:
    // trailing blanks and letter case do not count there.
    static QString Key(const QString& number);

    static constexpr int kMaxLength = 255;
    // Numbers a statement: SQL Server takes at most 1,000 rows in one VALUES
    // list, and SQLite prepares a statement in a time that grows with the
    // square of its parameters.
    static constexpr int kRowsPerStatement = 100;
    static const QString kTable;
    static QString CreateTableSql();
    // One statement each, for at most kRowsPerStatement numbers.
    QString IssuedAmongSql(const QStringList& numbers, bool hold) const;
    QString RecordSql(const QStringList& numbers) const;

private:
    AppConnection& connection_;
    qint32 itemId_;
};

}
