#include "ValueList.h"

#include "HostError.h"
#include "HostErrors.h"

namespace vellbatchrule {

QVariant ValueList::Item(int position) const
{
    if (position < 1 || position > Count())
        throw HostError(HostErrors::SubscriptOutOfRange,
                        QStringLiteral("ValueList position %1 is out of range").arg(position),
                        QStringLiteral("ValueList"));
    return items_[position - 1];
}

}
