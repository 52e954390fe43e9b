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
    static constexpr int kRowsPerStatement = 1000;   // SQL Server's most in one VALUES list
    static const QString kTable;
    static QString CreateTableSql();
    // One statement: at most kRowsPerStatement numbers.
    QString IssuedAmongSql(const QStringList& numbers, bool hold) const;
    // One batch of as many statements as the numbers need.
    QString RecordSql(const QStringList& numbers) const;

private:
    AppConnection& connection_;
    qint32 itemId_;
};

}
