#include "GroupTree.h"

#include "MParse.h"
#include "Recordset.h"

#include <QSet>

namespace GroupTree {

namespace {

constexpr qint32 kElementNotFound = 35601;   // the tree's own error for a missing parent node

QString NumberName(const Recordset& row)
{
    return row.Field(QStringLiteral("FNumber")).toString() + QLatin1Char('(') + row.Field(QStringLiteral("FName")).toString()
           + QLatin1Char(')');
}

}

qint32 NodeId(const QString& key)
{
    return key.mid(1).toInt();
}

QString KeyOf(qint32 id)
{
    return QLatin1Char('K') + QString::number(id);
}

Load FromGroups(Recordset& groups)
{
    Load tree;
    tree.nodes.append({KeyOf(0), QString(), MParse::TranslateText(QStringLiteral("物料"))});
    QSet<QString> keys{KeyOf(0)};
    for (; !groups.Eof(); groups.MoveNext()) {
        const QString parentKey = KeyOf(groups.Field(QStringLiteral("FParentID")).toInt());
        const QString key = KeyOf(groups.Field(QStringLiteral("FItemID")).toInt());
        if (!keys.contains(parentKey)) {
            tree.failure = HostError(kElementNotFound, QStringLiteral("Element not found: %1").arg(parentKey),
                                     QStringLiteral("tvBatRule"));
            break;
        }
        keys.insert(key);
        tree.nodes.append({key, parentKey, NumberName(groups)});
    }
    return tree;
}

}
