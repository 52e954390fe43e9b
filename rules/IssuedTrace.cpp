#include "IssuedTrace.h"

#include "AppConnection.h"
#include "HostText.h"
#include "IssuedNumbers.h"
#include "Recordset.h"
#include "RuleText.h"
#include "RuleVersion.h"
#include "SqlLines.h"

namespace vellbatchrule {

namespace {

QString Number(qint32 value)
{
    return QString::number(value);
}

}

const QString IssuedTrace::kTable = QStringLiteral("ICBatchNoIssuedTrace");

IssuedTrace::IssuedTrace(AppConnection& connection, qint32 itemId) : connection_(connection), itemId_(itemId) {}

// Not unique: a number a peer removed from ICBatchNoIssued and issued again keeps both issues.
QString IssuedTrace::CreateTableSql()
{
    SqlLines sql;
    sql << QStringLiteral(" CREATE TABLE ICBatchNoIssuedTrace (")
        << QStringLiteral("   FItemID int NOT NULL,") << QStringLiteral("   FBatchNo nvarchar(255) NOT NULL,")
        << QStringLiteral("   FTime datetime NOT NULL,") << QStringLiteral("   FUserID int NOT NULL,")
        << QStringLiteral("   FUserName nvarchar(80) NOT NULL,") << QStringLiteral("   FVersion varchar(12) NOT NULL)")
        << QStringLiteral(" CREATE INDEX ix_BatchNoIssuedTrace_Number ON ICBatchNoIssuedTrace (FItemID, FBatchNo)");
    return sql.Text();
}

QString IssuedTrace::RecordSql(const QStringList& numbers, const Issue& issue) const
{
    // A name longer than the column would fail the issue on SQL Server: the trace keeps its start.
    const QString by = QStringLiteral(", CURRENT_TIMESTAMP, ") + Number(issue.userId) + QStringLiteral(", ")
                       + HostText::SqlLiteral(issue.userName.left(RuleHistory::kMaxUserName)) + QStringLiteral(", ")
                       + HostText::SqlLiteral(issue.version) + QLatin1Char(')');
    QStringList rows;
    rows.reserve(numbers.size());
    for (const QString& number : numbers)
        rows << QLatin1Char('(') + Number(itemId_) + QStringLiteral(", ") + HostText::SqlLiteral(number) + by;
    SqlLines sql;
    sql << QStringLiteral(" INSERT INTO ICBatchNoIssuedTrace (FItemID, FBatchNo, FTime, FUserID, FUserName, FVersion)")
        << QStringLiteral(" VALUES ") + rows.join(QStringLiteral(", "));
    return sql.Text();
}

QString IssuedTrace::FindSql(const QString& number) const
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT FTime,FUserID,FUserName,FVersion FROM ICBatchNoIssuedTrace")
        << QStringLiteral(" WHERE FItemID=") + Number(itemId_) + QStringLiteral(" AND FBatchNo=")
               + HostText::SqlLiteral(number)
        << QStringLiteral(" ORDER BY FTime DESC");
    return sql.Text();
}

QString IssuedTrace::EntriesSql(const QString& number, const QStringList& groupNumbers) const
{
    const QString groups = groupNumbers.isEmpty()
                               ? QStringLiteral("FItemID=0")
                               : QStringLiteral("(FItemID=0 OR FItemID IN (SELECT FItemID FROM t_Item WHERE "
                                                "FItemClassID=4 AND FDetail=0 AND FNumber IN (")
                                     + HostText::SqlLiterals(groupNumbers) + QStringLiteral(")))");
    SqlLines sql;
    sql << QStringLiteral(" SELECT ") + RuleHistory::kEntryColumns << QStringLiteral(" FROM ICBatchNoRuleHistory")
        << QStringLiteral(" WHERE (FDetail=1 AND FItemID=") + Number(itemId_) + QStringLiteral(" OR FDetail=0 AND ")
               + groups + QLatin1Char(')')
        << QStringLiteral("   AND FTime <= (SELECT MAX(FTime) FROM ICBatchNoIssuedTrace WHERE FItemID=")
               + Number(itemId_) + QStringLiteral(" AND FBatchNo=") + HostText::SqlLiteral(number) + QLatin1Char(')')
        << QStringLiteral(" ORDER BY FEntryID DESC");
    return sql.Text();
}

QString IssuedTrace::WrittenRowsSql(qint32 entry) const
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT FID,") + Number(itemId_)
               + QStringLiteral(" AS FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                                "FSubCharacter")
        << QStringLiteral(" FROM ICBatchNoRuleHistoryRow")
        << QStringLiteral(" WHERE FEntryID=") + Number(entry) + QStringLiteral(" AND FStage=1")
        << QStringLiteral(" ORDER BY FID");
    return sql.Text();
}

void IssuedTrace::Record(const QStringList& numbers, const Issue& issue)
{
    for (qsizetype from = 0; from < numbers.size(); from += IssuedNumbers::kRowsPerStatement)
        connection_.Execute(RecordSql(numbers.mid(from, IssuedNumbers::kRowsPerStatement), issue));
}

std::optional<IssuedTrace::Issue> IssuedTrace::Find(const QString& number)
{
    const auto rows = connection_.Execute(FindSql(number));
    if (!rows || rows->Eof())
        return std::nullopt;
    return Issue{rows->Field(0).toString(), rows->Field(1).toInt(), rows->Field(2).toString(), rows->Field(3).toString()};
}

std::optional<RuleHistory::Entry> IssuedTrace::WriteOf(const QString& number, const QString& version,
                                                       const QString& materialNumber)
{
    const auto entries = connection_.Execute(EntriesSql(number, RuleHistory::GroupNumbersAbove(materialNumber)));
    for (; entries && !entries->Eof(); entries->MoveNext()) {
        RuleHistory::Entry entry = RuleHistory::EntryOf(*entries);
        const auto rows = connection_.Execute(WrittenRowsSql(entry.id));
        if (!rows || RuleVersion::Of(*rows) != version)
            continue;
        entry.before = RuleText::OfIds(entry.before);
        entry.after = RuleText::OfIds(entry.after);
        return entry;
    }
    return std::nullopt;
}

}
