#pragma once

#include "VellBatchRuleExport.h"

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>
#include <QVariant>

namespace vellbatchrule {

// The host's insertion-ordered keyed container: text key to value.
class VELLBATCHRULE_EXPORT ValueBag {
public:
    void Set(const QString& key, const QVariant& value);
    // A missing key throws HostError.
    QVariant Get(const QString& key) const;
    QVariant Get(const QString& key, const QVariant& fallback) const;
    bool Contains(const QString& key) const;
    int Count() const { return int(items_.size()); }
    // position runs from 1 to Count(); outside that throws HostError.
    QString KeyAt(int position) const;

private:
    qsizetype IndexOf(const QString& key) const;

    QList<QPair<QString, QVariant>> items_;
};

}

Q_DECLARE_METATYPE(vellbatchrule::ValueBag)
