#pragma once

#include "VellBatchRuleExport.h"

#include <QString>
#include <QVariant>

namespace vellbatchrule {

// A query's result: scrollable, with an exact row count, positioned on the
// first row when handed out. Reading a field off the rows fails.
class VELLBATCHRULE_EXPORT Recordset {
public:
    virtual ~Recordset() = default;

    // EOF and BOF are the record set's names; Eof/Bof because EOF is a C macro.
    virtual bool Eof() const = 0;
    virtual bool Bof() const = 0;
    virtual int RecordCount() const = 0;

    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual void Move(int rows) = 0;

    virtual int FieldCount() const = 0;
    virtual QString FieldName(int index) const = 0;
    virtual QVariant Field(int index) const = 0;
    // Field names are matched without regard to case.
    virtual QVariant Field(const QString& name) const = 0;
};

}
