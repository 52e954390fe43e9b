#include "RuleVersion.h"

#include "Recordset.h"

#include <QCryptographicHash>

namespace vellbatchrule {

QString RuleVersion::Of(Recordset& rows)
{
    if (rows.Eof())
        return QLatin1String(NoRule);
    QCryptographicHash digest(QCryptographicHash::Sha1);
    for (; !rows.Eof(); rows.MoveNext())
        for (int field = 0; field < rows.FieldCount(); ++field) {
            // Each value with its length: ("a","bc") and ("ab","c") differ.
            const QByteArray value = rows.Field(field).toString().toUtf8();
            digest.addData(QByteArray::number(value.size()) + ':' + value);
        }
    rows.MoveFirst();
    return QString::fromLatin1(digest.result().toHex().left(12));
}

}
