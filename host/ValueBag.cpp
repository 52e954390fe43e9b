#include "ValueBag.h"

#include "HostError.h"
#include "HostErrors.h"

namespace vellbatchrule {

namespace {
const QString kSource = QStringLiteral("ValueBag");
}

qsizetype ValueBag::IndexOf(const QString& key) const
{
    for (qsizetype i = 0; i < items_.size(); ++i)
        if (items_[i].first == key)
            return i;
    return -1;
}

void ValueBag::Set(const QString& key, const QVariant& value)
{
    const qsizetype index = IndexOf(key);
    if (index < 0)
        items_.append({key, value});
    else
        items_[index].second = value;
}

QVariant ValueBag::Get(const QString& key) const
{
    const qsizetype index = IndexOf(key);
    if (index < 0)
        throw HostError(HostErrors::InvalidCall, QStringLiteral("ValueBag has no key '%1'").arg(key), kSource);
    return items_[index].second;
}

QVariant ValueBag::Get(const QString& key, const QVariant& fallback) const
{
    const qsizetype index = IndexOf(key);
    return index < 0 ? fallback : items_[index].second;
}

bool ValueBag::Contains(const QString& key) const
{
    return IndexOf(key) >= 0;
}

QString ValueBag::KeyAt(int position) const
{
    if (position < 1 || position > Count())
        throw HostError(HostErrors::SubscriptOutOfRange,
                        QStringLiteral("ValueBag key position %1 is out of range").arg(position), kSource);
    return items_[position - 1].first;
}

}
