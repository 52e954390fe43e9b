#pragma once

#include "Recordset.h"
#include "RowReader.h"

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

}
