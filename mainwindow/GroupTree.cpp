#include "GroupTree.h"

#include "HostErrors.h"
#include "MParse.h"
#include "Recordset.h"


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

Load FromGroups(std::shared_ptr<Recordset> groups)
{
    Load tree;
    tree.rootText = MParse::TranslateText("物料");
    tree.nodes.reserve(groups->RecordCount() + 1);
    tree.nodes.append({0, -1, -1});
    tree.positions.reserve(groups->RecordCount() + 1);
    tree.positions.insert(0, 0);
    const int parentId = FieldPosition(*groups, "FParentID"), itemId = FieldPosition(*groups, "FItemID");
    tree.numberField = FieldPosition(*groups, "FNumber");
    tree.nameField = FieldPosition(*groups, "FName");
    for (int row = 0; !groups->Eof(); groups->MoveNext(), ++row) {
        const qint32 parent = groups->Field(parentId).toInt();
        if (!tree.positions.contains(parent)) {
            tree.failure = HostError(HostErrors::ElementNotFound,
                                     QStringLiteral("Element not found: %1").arg(KeyOf(parent)),
                                     QStringLiteral("tvBatRule"));
            break;
        }
        const qint32 id = groups->Field(itemId).toInt();
        tree.positions.insert(id, int(tree.nodes.size()));
        tree.nodes.append({id, parent, row});
    }
    tree.groups = std::move(groups);
    return tree;
}

QString Load::TextOf(const Node& node) const
{
    if (node.row < 0 || !groups)
        return rootText;
    groups->MoveFirst();
    groups->Move(node.row);
    return groups->Field(numberField).toString() + QLatin1Char('(') + groups->Field(nameField).toString() + QLatin1Char(')');
}

}

}
