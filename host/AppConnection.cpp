#include "AppConnection.h"

#include "RecordsetRow.h"

namespace vellbatchrule {

void AppConnection::ReadRows(const QString& sql, const std::function<void(const RowReader&)>& row)
{
    ReadEachRow(Execute(sql), row);
}

}
