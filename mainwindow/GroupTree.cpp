#include "GroupTree.h"

#include "HostErrors.h"
#include "MParse.h"
#include "Recordset.h"

#include <QSet>

namespace vellbatchrule {

namespace GroupTree {

namespace {

// A field's position, looked up once for the whole tree.
int FieldPosition(const Recordset& rows, const char* name)
{
    for (int i = 0; i < rows.FieldCount(); ++i)
        if (rows.FieldName(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
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
    tree.nodes.append({KeyOf(0), QString(), MParse::TranslateText("物料")});
    QSet<QString> keys{KeyOf(0)};
    keys.reserve(groups.RecordCount() + 1);
    const int parentId = FieldPosition(groups, "FParentID"), itemId = FieldPosition(groups, "FItemID");
    const int number = FieldPosition(groups, "FNumber"), name = FieldPosition(groups, "FName");
    for (; !groups.Eof(); groups.MoveNext()) {
        const QString parentKey = KeyOf(groups.Field(parentId).toInt());
        const QString key = KeyOf(groups.Field(itemId).toInt());
        if (!keys.contains(parentKey)) {
            tree.failure = HostError(HostErrors::ElementNotFound,
                                     QStringLiteral("Element not found: %1").arg(parentKey),
                                     QStringLiteral("tvBatRule"));
            break;
        }
        keys.insert(key);
        tree.nodes.append({key, parentKey,
                           groups.Field(number).toString() + QLatin1Char('(') + groups.Field(name).toString() + QLatin1Char(')')});
    }
    return tree;
}

}

}
