#include "IssuedNumbers.h"

#include "AppConnection.h"
#include "HostText.h"
#include "SqlLines.h"

namespace vellbatchrule {

namespace {

// `numbers` a statement at a time, each of at most kRowsPerStatement.
template <typename Piece>
void InStatements(const QStringList& numbers, Piece piece)
{
    for (qsizetype from = 0; from < numbers.size(); from += IssuedNumbers::kRowsPerStatement)
        piece(numbers.mid(from, IssuedNumbers::kRowsPerStatement));
}

}

const QString IssuedNumbers::kTable = QStringLiteral("ICBatchNoIssued");

IssuedNumbers::IssuedNumbers(AppConnection& connection, qint32 itemId) : connection_(connection), itemId_(itemId) {}

QString IssuedNumbers::CreateTableSql()
{
    SqlLines sql;
    sql << QStringLiteral(" CREATE TABLE ICBatchNoIssued (")
        << QStringLiteral("   FItemID int NOT NULL,")
        << QStringLiteral("   FBatchNo nvarchar(255) NOT NULL)")
        << QStringLiteral(" CREATE UNIQUE INDEX ix_BatchNoIssued_Number ON ICBatchNoIssued (FItemID, FBatchNo)");
    return sql.Text();
}

QString IssuedNumbers::Key(const QString& number)
{
    qsizetype end = number.size();
    while (end > 0 && number[end - 1] == QLatin1Char(' '))
        --end;
    return number.left(end).toCaseFolded();
}

QString IssuedNumbers::IssuedAmongSql(const QStringList& numbers, bool hold) const
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT FBatchNo FROM ICBatchNoIssued") + (hold ? QStringLiteral(" WITH (UPDLOCK, HOLDLOCK)") : QString())
               + QStringLiteral(" WHERE FItemID=") + QString::number(itemId_) + QStringLiteral(" AND FBatchNo IN (")
               + HostText::SqlLiterals(numbers) + QStringLiteral(")");
    return sql.Text();
}

QString IssuedNumbers::RecordSql(const QStringList& numbers) const
{
    const QString owner = QLatin1Char('(') + QString::number(itemId_) + QStringLiteral(", ");
    QStringList rows;
    rows.reserve(numbers.size());
    for (const QString& number : numbers)
        rows << owner + HostText::SqlLiteral(number) + QLatin1Char(')');
    SqlLines sql;
    sql << QStringLiteral(" INSERT INTO ICBatchNoIssued (FItemID, FBatchNo) VALUES ") + rows.join(QStringLiteral(", "));
    return sql.Text();
}

// A statement a batch, all but the last of one size: the connection prepares
// that shape once, and a batch answers the rows of its first query only.
QSet<QString> IssuedNumbers::IssuedAmong(const QStringList& numbers, bool hold)
{
    QSet<QString> issued;
    InStatements(numbers, [&](const QStringList& some) {
        for (const auto rows = connection_.Execute(IssuedAmongSql(some, hold)); rows && !rows->Eof(); rows->MoveNext())
            issued.insert(Key(rows->Field(0).toString()));
    });
    return issued;
}

void IssuedNumbers::Record(const QStringList& numbers)
{
    InStatements(numbers, [&](const QStringList& some) { connection_.Execute(RecordSql(some)); });
}

}
