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

QString IdsOfRows(Recordset& rows)
{
    QStringList ids;
    for (; !rows.Eof(); rows.MoveNext())
        ids.append(rows.Field(QStringLiteral("FPropertyID")).toString());
    return ids.join(QLatin1Char('+'));
}

QString OfIds(const QString& ids)
{
    QList<qint32> properties;
    for (const QString& id : ids.split(QLatin1Char('+'), Qt::SkipEmptyParts)) {
        bool number = false;
        properties.append(id.toInt(&number));
        if (!number)
            return ids;
    }
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
