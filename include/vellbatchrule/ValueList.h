#pragma once

#include "VellBatchRuleExport.h"

#include <QList>
#include <QVariant>

namespace vellbatchrule {

// The host's ordered list; a ValueBag goes in as QVariant::fromValue(bag).
class VELLBATCHRULE_EXPORT ValueList {
public:
    int Count() const { return int(items_.size()); }
    void Append(const QVariant& item) { items_.append(item); }
    // position runs from 1 to Count(), as the host's lists count.
    QVariant Item(int position) const;

private:
    QList<QVariant> items_;
};

}
