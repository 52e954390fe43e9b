#include "IssuerTables.h"

#include "AppConnection.h"
#include "HostError.h"
#include "IssuedNumbers.h"
#include "IssuedTrace.h"
#include "RuleHistory.h"
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
    {RuleHistory::kTable, &RuleHistory::CreateTableSql},
    {IssuedTrace::kTable, &IssuedTrace::CreateTableSql},
};

}

bool Exists(AppConnection& connection, const QString& table)
{
    SqlLines probe;
    probe << QStringLiteral(" SELECT COUNT(*) AS FRows FROM ") + table + QStringLiteral(" WHERE 1 = 0");
    try {
        connection.Execute(probe.Text());
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
    QList<const Table*> missing;
    for (const Table& table : kTables)
        if (!Exists(connection, table.name))
            missing << &table;
    QStringList created;
    if (missing.isEmpty())
        return created;
    UnitOfWork unit(connection);
    for (const Table* table : missing) {
        connection.Execute(table->createSql());
        created << table->name;
    }
    unit.Commit();
    return created;
}

}

}
