// The scripts that set SQL Server up: the schema names every table, column and
// index the demo has, and the demo script holds exactly the demo's data.
#include "TempDatabase.h"
#include "TestSupport.h"

#include <QFile>
#include <QRegularExpression>

namespace {

const QString kScripts = QStringLiteral(VELL_SOURCE_DIR "/sql/sqlserver/");

QString Script(const char* name)
{
    QFile file(kScripts + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

const char* const kTables[] = {"t_Item", "t_ICItem", "ICBatchNoRule", "ICBatchNoSerial", "ICBatchNoIssued",
                                "ICBatchNoIssuedTrace", "ICBatchNoRuleHistory", "ICBatchNoRuleHistoryRow", "t_SystemProfile", "t_UserGroupAccess"};

TEST(SqlServerScripts, SchemaNamesEveryTableColumnAndIndexOfTheDemo)
{
    TempDatabase demo;
    QStringList expected;
    for (const char* table : kTables)
        expected << QString(table) + ": "
                        + demo.NativeRows(QString("SELECT group_concat(name) FROM pragma_table_info('%1')").arg(table));
    expected << demo.NativeRows("SELECT i.name || (CASE WHEN i.\"unique\" THEN ' unique' ELSE '' END) || ' ON ' || m.name || ' ('"
                                " || (SELECT group_concat(name, ', ') FROM pragma_index_info(i.name)) || ')' "
                                "FROM sqlite_master m, pragma_index_list(m.name) i WHERE m.type = 'table' AND i.origin = 'c' "
                                "ORDER BY i.name")
                    .split('\n');

    QStringList declared, indexes;
    QString table;
    QStringList columns;
    static const QRegularExpression create(R"(^CREATE TABLE (\w+) \($)"), column(R"(^\s+(\w+) \w+)"),
        index(R"(^CREATE (UNIQUE )?INDEX (\w+) ON (\w+) \(([^)]*)\)$)");
    for (const QString& line : Script("schema.sql").split("\r\n")) {
        if (const auto m = create.match(line); m.hasMatch()) {
            table = m.captured(1);
            columns.clear();
        } else if (const auto m = column.match(line); m.hasMatch() && !table.isEmpty()) {
            columns << m.captured(1);
        } else if (line == ")" && !table.isEmpty()) {
            declared << table + ": " + columns.join(',');
            table.clear();
        } else if (const auto m = index.match(line); m.hasMatch()) {
            indexes << m.captured(2) + (m.captured(1).isEmpty() ? "" : " unique") + " ON " + m.captured(3) + " ("
                           + m.captured(4) + ")";
        }
    }
    indexes.sort();
    EXPECT_EQ(declared + indexes, expected);
    EXPECT_EQ(Script("schema.sql").count("COLLATE Chinese_PRC_CI_AS"), 17) << "every text column of the ERP's tables";
}

TEST(SqlServerScripts, DemoScriptHoldsTheDemosData)
{
    TempDatabase demo, scripted;
    scripted.Connection().Execute("UPDATE t_ICItem SET FName = 'stale'");   // the script replaces every row
    for (const QString& batch : Script("demo.sql").split(QRegularExpression("^GO\r\n", QRegularExpression::MultilineOption)))
        if (batch.contains("INSERT"))
            scripted.Connection().Execute(batch);
    for (const char* table : kTables) {
        const QString rows = QString("SELECT * FROM %1 ORDER BY 1, 2, 3").arg(table);
        EXPECT_EQ(scripted.NativeRows(rows), demo.NativeRows(rows)) << table;
    }
    EXPECT_FALSE(Script("demo.sql").contains(QRegularExpression("[^N]'[^']*[^\\x00-\\x7f]"))) << "Chinese only in N'' literals";
}

}
