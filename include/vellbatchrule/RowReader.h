#pragma once

#include "VellBatchRuleExport.h"

#include <QString>
#include <QVariant>

namespace vellbatchrule {

// The current row of a forward-only read, valid only while the read hands
// it out. Fields are read by position, as their type converts: a null
// reads as 0 and as the empty text. A position past the fields fails.
class VELLBATCHRULE_EXPORT RowReader {
public:
    virtual ~RowReader() = default;

    virtual int FieldCount() const = 0;
    virtual bool IsNull(int index) const = 0;
    virtual qint64 Integer(int index) const = 0;
    virtual QString Text(int index) const = 0;
    virtual QVariant Value(int index) const = 0;
};

}
