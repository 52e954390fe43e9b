#include "RuleText.h"

#include "PropertyCatalogue.h"
#include "RWDatabase.h"

#include <QStringList>

namespace vellbatchrule {

namespace RuleText {

QString OfMaterial(qint32 materialId)
{
    return materialId <= 0 ? QString() : OfStored(materialId, RuleOwner::Material);
}

QString OfStored(qint32 ownerId, RuleOwner owner)
{
    const auto elements = RWDatabase().FetchBatchRule(ownerId, owner);
    return elements ? OfRows(*elements) : Of({});
}

QString OfRows(Recordset& rows)
{
    QList<qint32> properties;
    for (; !rows.Eof(); rows.MoveNext())
        properties.append(rows.Field(QStringLiteral("FPropertyID")).toInt());
    return Of(properties);
}

QString Of(const QList<qint32>& propertyIds)
{
    QStringList names;
    for (const qint32 id : propertyIds)
        names.append(QLatin1Char('[') + PropertyName(id) + QLatin1Char(']'));
    return names.join(QLatin1Char('+'));
}

}

}
