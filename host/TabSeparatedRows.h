#pragma once

#include "Recordset.h"

#include <QStringList>
#include <QTextStream>

namespace vellbatchrule {

// A record set as the commands print it: the column names, then every row,
// tab-separated, one line each.
inline void PrintTabSeparated(Recordset& rows, QTextStream& out)
{
    QStringList header;
    for (int i = 0; i < rows.FieldCount(); ++i)
        header.append(rows.FieldName(i));
    out << header.join(QLatin1Char('\t')) << '\n';
    for (; !rows.Eof(); rows.MoveNext()) {
        QStringList values;
        for (int i = 0; i < rows.FieldCount(); ++i)
            values.append(rows.Field(i).toString());
        out << values.join(QLatin1Char('\t')) << '\n';
    }
}

}
