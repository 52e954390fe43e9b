#include "EditorTarget.h"

#include "CommandGuard.h"
#include "MParse.h"
#include "RWDatabase.h"

namespace vellbatchrule {

namespace {

using namespace CommandGuard;

QString NumberName(const Recordset& rows)
{
    return rows.Field(QStringLiteral("FNumber")).toString() + QLatin1Char('(')
           + rows.Field(QStringLiteral("FName")).toString() + QLatin1Char(')');
}

}

QString EditorTarget::GroupText(qint32 groupId)
{
    if (groupId == 0)
        return MParse::TranslateText("物料");
    return NumberName(*Visible(RWDatabase().FetchGroup(groupId), QT_TRANSLATE_NOOP("VEZAROZIVADA", "找不到物料组%1"), groupId));
}

EditorTarget EditorTarget::OfGroup(qint32 groupId, const QString& nodeText)
{
    EditorTarget target;
    target.ParentItemID = groupId;
    target.ParentItemNumberName = nodeText;
    return target;
}

void EditorTarget::TakeMaterial(const QString& itemIdText, const QString& number, const QString& name)
{
    ItemID = itemIdText.trimmed().toInt();
    ItemNumberName = number + QLatin1Char('(') + name + QLatin1Char(')');
}

QString EditorTarget::RootRefusal()
{
    if (RWDatabase::SeesEveryGroup())
        return QString();
    return MParse::TranslateText("根物料组的规则适用于所有物料，只有有权查看所有物料组的用户才能查看或更改它");
}

EditorTarget EditorTarget::Resolve(std::optional<qint32> itemId, std::optional<qint32> groupId)
{
    if (!itemId && groupId.value_or(0) == 0) {
        if (const QString refusal = RootRefusal(); !refusal.isEmpty())
            throw Refusal{refusal};
        return OfGroup(0, GroupText(0));
    }
    if (!itemId)
        return OfGroup(*groupId, GroupText(*groupId));
    const qint32 id = *itemId;
    const auto material = Visible(RWDatabase().FetchItem(id), QT_TRANSLATE_NOOP("VEZAROZIVADA", "找不到物料%1"), id);
    if (material->Field(QStringLiteral("FBatchManager")).toInt() != 1)
        Refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "物料%1不是批次管理的物料"), {id});
    const qint32 group = material->Field(QStringLiteral("FParentID")).toInt();
    EditorTarget aimed = OfGroup(group, GroupText(group));
    aimed.TakeMaterial(QString::number(id), material->Field(QStringLiteral("FNumber")).toString(),
                       material->Field(QStringLiteral("FName")).toString());
    return aimed;
}

}
