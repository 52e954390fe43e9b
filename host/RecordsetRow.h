#pragma once

#include "Recordset.h"
#include "RowReader.h"

#include <functional>
#include <memory>

namespace vellbatchrule {

// A record set's current row read as a forward-only read's row.
class RecordsetRow : public RowReader {
public:
    explicit RecordsetRow(const Recordset& rows) : rows_(rows) {}

    int FieldCount() const override { return rows_.FieldCount(); }
    bool IsNull(int index) const override { return rows_.Field(index).isNull(); }
    qint64 Integer(int index) const override { return rows_.Field(index).toLongLong(); }
    QString Text(int index) const override { return rows_.Field(index).toString(); }
    QVariant Value(int index) const override { return rows_.Field(index); }

private:
    const Recordset& rows_;
};

// The default of a forward-only read: every row of a batch's record set, if it has one.
inline void ReadEachRow(const std::unique_ptr<Recordset>& rows, const std::function<void(const RowReader&)>& row)
{
    if (!rows)
        return;
    const RecordsetRow current(*rows);
    for (; !rows->Eof(); rows->MoveNext())
        row(current);
}

}
