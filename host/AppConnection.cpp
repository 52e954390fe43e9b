#include "AppConnection.h"

#include "RecordsetRow.h"

namespace vellbatchrule {

void AppConnection::ReadRows(const QString& sql, const std::function<void(const RowReader&)>& row)
{
    const std::unique_ptr<Recordset> rows = Execute(sql);
    if (!rows)
        return;
    const RecordsetRow current(*rows);
    for (; !rows->Eof(); rows->MoveNext())
        row(current);
}

}
