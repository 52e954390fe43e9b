#include "PropertyCatalogue.h"

#include "MParse.h"
#include "ModuleState.h"

#include <algorithm>

namespace vellbatchrule {

namespace {

struct CatalogueEntry {
    qint32 id;
    const char* name;
};

// The fixed order is also the order of the editor's property list.
constexpr CatalogueEntry kCatalogue[] = {
    {1, QT_TRANSLATE_NOOP("VEZAROZIVADA", "客户代码")}, {2, QT_TRANSLATE_NOOP("VEZAROZIVADA", "部门代码")}, {4, QT_TRANSLATE_NOOP("VEZAROZIVADA", "物料代码")}, {5, QT_TRANSLATE_NOOP("VEZAROZIVADA", "仓库代码")}, {8, QT_TRANSLATE_NOOP("VEZAROZIVADA", "供应商代码")},
    {3, QT_TRANSLATE_NOOP("VEZAROZIVADA", "业务员代码")}, {20, QT_TRANSLATE_NOOP("VEZAROZIVADA", "单据号码")}, {21, QT_TRANSLATE_NOOP("VEZAROZIVADA", "选单号码")}, {22, QT_TRANSLATE_NOOP("VEZAROZIVADA", "项目号")}, {23, QT_TRANSLATE_NOOP("VEZAROZIVADA", "日期")},
    {24, QT_TRANSLATE_NOOP("VEZAROZIVADA", "自定义")}, {25, QT_TRANSLATE_NOOP("VEZAROZIVADA", "行号")}, {26, QT_TRANSLATE_NOOP("VEZAROZIVADA", "流水号")},
};

}

PropertyKind KindOf(qint32 propertyId)
{
    switch (propertyId) {
    case 1: case 2: case 3: case 4: case 5: case 8:
        return PropertyKind::BaseData;
    case 23:
        return PropertyKind::Date;
    case 24:
        return PropertyKind::Custom;
    case PropertyIds::LineNumber:
        return PropertyKind::LineNumber;
    case PropertyIds::Serial:
        return PropertyKind::Serial;
    default:
        return PropertyKind::DocumentNumber;   // 20, 21, 22 and every ID not named above
    }
}

void LoadingPropertyList()
{
    ValueBag& list = CurrentModuleState().propertyList;
    list = ValueBag();
    for (const CatalogueEntry& entry : kCatalogue) {
        const QString id = QString::number(entry.id);
        list.Set(id + QStringLiteral("ID"), entry.id);
        list.Set(id + QStringLiteral("Name"), MParse::TranslateText(entry.name));
    }
}

QString PropertyName(qint32 propertyId)
{
    return CurrentModuleState().propertyList.Get(QString::number(propertyId) + QStringLiteral("Name"), QString()).toString();
}

bool IsCatalogued(qint32 propertyId)
{
    return std::any_of(std::begin(kCatalogue), std::end(kCatalogue),
                       [propertyId](const CatalogueEntry& entry) { return entry.id == propertyId; });
}

QList<qint32> CataloguedIds()
{
    const ValueBag& list = CurrentModuleState().propertyList;
    QList<qint32> ids;
    for (int position = 1; position < list.Count(); position += 2)
        ids.append(list.Get(list.KeyAt(position)).toInt());
    return ids;
}

qint32 PropertyIdOf(const QString& idOrName)
{
    const qint32 byId = idOrName.toInt();
    const QString translated = MParse::TranslateText(idOrName);
    for (const qint32 id : CataloguedIds()) {
        const QString name = PropertyName(id);
        if ((byId > 0 && byId == id) || name.compare(idOrName, Qt::CaseInsensitive) == 0
            || translated.compare(name, Qt::CaseInsensitive) == 0)
            return id;
    }
    return 0;
}

}
