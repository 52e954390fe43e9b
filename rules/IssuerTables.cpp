#include "IssuerTables.h"

#include "AppConnection.h"
#include "HostError.h"
#include "IssuedNumbers.h"
#include "SerialCounter.h"
#include "SqlLines.h"
#include "UnitOfWork.h"

namespace vellbatchrule {

namespace IssuerTables {

namespace {

struct Table {
    const QString& name;
    QString (*createSql)();
};

const Table kTables[] = {
    {SerialCounter::kTable, &SerialCounter::CreateTableSql},
    {IssuedNumbers::kTable, &IssuedNumbers::CreateTableSql},
};

}

QString ProbeSql(const QString& table)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT COUNT(*) AS FRows FROM ") + table + QStringLiteral(" WHERE 1 = 0");
    return sql.Text();
}

bool Exists(AppConnection& connection, const QString& table)
{
    try {
        connection.Execute(ProbeSql(table));
        return true;
    } catch (const HostError&) {
        return false;
    }
}

QString FirstMissing(AppConnection& connection)
{
    for (const Table& table : kTables)
        if (!Exists(connection, table.name))
            return table.name;
    return QString();
}

QStringList CreateMissing(AppConnection& connection)
{
    QStringList missing;
    for (const Table& table : kTables)
        if (!Exists(connection, table.name))
            missing << table.name;
    if (missing.isEmpty())
        return missing;
    UnitOfWork unit(connection);
    for (const Table& table : kTables)
        if (missing.contains(table.name))
            connection.Execute(table.createSql());
    unit.Commit();
    return missing;
}

}

}
