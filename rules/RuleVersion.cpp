#include "RuleVersion.h"

#include "BatRuleStruct.h"
#include "Recordset.h"

#include <algorithm>

#include <QCryptographicHash>

namespace vellbatchrule {

namespace {

// Each value with its length: ("a","bc") and ("ab","c") differ.
void Add(QCryptographicHash& digest, const QString& text)
{
    const QByteArray value = text.toUtf8();
    digest.addData(QByteArray::number(value.size()) + ':' + value);
}

QString Digits(const QCryptographicHash& digest)
{
    return QString::fromLatin1(digest.result().toHex().left(12));
}

}

QString RuleVersion::Of(Recordset& rows)
{
    if (rows.Eof())
        return QLatin1String(NoRule);
    QCryptographicHash digest(QCryptographicHash::Sha1);
    for (; !rows.Eof(); rows.MoveNext())
        for (int field = 0; field < rows.FieldCount(); ++field)
            Add(digest, rows.Field(field).toString());
    rows.MoveFirst();
    return Digits(digest);
}

QString RuleVersion::Of(qint32 ownerId, const QList<BatRuleStruct>& elements)
{
    if (elements.isEmpty())
        return QLatin1String(NoRule);
    QList<BatRuleStruct> ordered = elements;
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) { return a.FID < b.FID; });
    QCryptographicHash digest(QCryptographicHash::Sha1);
    for (const BatRuleStruct& e : ordered)
        for (const QString& value : {QString::number(e.FID), QString::number(ownerId), QString::number(e.FPropertyID),
                                     QString::number(e.FUseShortNumber), e.FFormatDate, e.FSelDefine,
                                     QString::number(e.FWidth), e.FCharacter, e.FSubCharacter})
            Add(digest, value);
    return Digits(digest);
}

}
