#pragma once

#include "Recordset.h"

#include <QStringList>
#include <QTextStream>

#include <algorithm>

namespace vellbatchrule {

// A value as the commands print it between tabs: a backslash, tab, line
// feed or carriage return inside it is written \\, \t, \n, \r, so that a
// row never splits.
inline QString TabSeparatedValue(const QString& value)
{
    const auto plain = [](QChar c) { return c != u'\\' && c != u'\t' && c != u'\n' && c != u'\r'; };
    if (std::all_of(value.begin(), value.end(), plain))
        return value;   // the common case: shared, not copied
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': escaped += QStringLiteral("\\\\"); break;
        case '\t': escaped += QStringLiteral("\\t"); break;
        case '\n': escaped += QStringLiteral("\\n"); break;
        case '\r': escaped += QStringLiteral("\\r"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

// One line of values.
inline void PrintTabSeparated(const QStringList& values, QTextStream& out)
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out << '\t';
        out << TabSeparatedValue(values[i]);
    }
    out << '\n';
}

// A record set as the commands print it: the column names, then every row.
inline void PrintTabSeparated(Recordset& rows, QTextStream& out)
{
    QStringList header;
    for (int i = 0; i < rows.FieldCount(); ++i)
        header.append(rows.FieldName(i));
    PrintTabSeparated(header, out);
    for (; !rows.Eof(); rows.MoveNext()) {
        QStringList values;
        for (int i = 0; i < rows.FieldCount(); ++i)
            values.append(rows.Field(i).toString());
        PrintTabSeparated(values, out);
    }
}

}
