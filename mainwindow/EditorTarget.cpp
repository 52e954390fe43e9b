#include "EditorTarget.h"

#include "GroupTree.h"

namespace vellbatchrule {

EditorTarget EditorTarget::OfNode(const QString& nodeKey, const QString& nodeText)
{
    EditorTarget target;
    target.ParentItemID = GroupTree::NodeId(nodeKey);
    target.ParentItemNumberName = nodeText;
    return target;
}

void EditorTarget::TakeMaterial(const QString& itemIdText, const QString& number, const QString& name)
{
    ItemID = itemIdText.trimmed().toInt();
    ItemNumberName = number + QLatin1Char('(') + name + QLatin1Char(')');
}

}
