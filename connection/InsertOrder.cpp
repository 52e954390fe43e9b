#include "InsertOrder.h"

#include "HostError.h"
#include "HostText.h"
#include "SqliteStatement.h"
#include "TsqlBridge.h"

#include <sqlite3.h>

namespace vellbatchrule {

bool InsertOrder::RowOrderIsSeen(const QString& table) const
{
    const QString name = HostText::SqlLiteral(table);
    SqliteStatement count(db_, QStringLiteral("SELECT (SELECT count(*) FROM pragma_table_info(%1)"
                                              " WHERE pk > 0 AND upper(type) = 'INTEGER')"
                                              " + (SELECT count(*) FROM sqlite_schema"
                                              " WHERE type = 'trigger' AND tbl_name = %1 COLLATE NOCASE)"
                                              " + (SELECT count(*) FROM sqlite_temp_schema"
                                              " WHERE type = 'trigger' AND tbl_name = %1 COLLATE NOCASE)")
                                   .arg(name));
    return !count.Step() || sqlite3_column_int(count.Handle(), 0) > 0;
}

QStringList InsertOrder::LeadingIndexColumns(const QString& table) const
{
    SqliteStatement columns(db_, QStringLiteral("SELECT i.name FROM pragma_index_list(%1) l,"
                                                " pragma_index_info(l.name) i WHERE i.seqno = 0 AND i.name IS NOT NULL")
                                     .arg(HostText::SqlLiteral(table)));
    QStringList names;
    while (columns.Step())
        names.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(columns.Handle(), 0))));
    return names;
}

QString InsertOrder::OrderBy(const BridgeInsert& insert) const
{
    if (insert.table.isEmpty())
        return QString();
    try {
        if (RowOrderIsSeen(insert.table))
            return QString();
        for (const QString& leading : LeadingIndexColumns(insert.table))
            for (qsizetype i = 0; i < insert.columns.size(); ++i)
                if (insert.copied[i] && insert.columns[i].compare(leading, Qt::CaseInsensitive) == 0)
                    return QStringLiteral("\nORDER BY %1").arg(i + 1);
    } catch (const HostError&) {
        // The order only helps: a table the schema cannot tell about takes the SELECT's order.
    }
    return QString();
}

}
