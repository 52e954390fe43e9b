#include "GrantDataAccess.h"

#include "AppConnection.h"
#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "HostText.h"
#include "StockComponents.h"

namespace vellbatchrule {

namespace {

// A group number and the numbers of the groups above it: "03.02.01" gives 03, 03.02.
QStringList NumbersAbove(const QString& number)
{
    QStringList above;
    for (qsizetype dot = number.indexOf(QLatin1Char('.')); dot > 0; dot = number.indexOf(QLatin1Char('.'), dot + 1))
        above.append(number.left(dot));
    return above;
}

QString Below(const QString& column, const QString& number)
{
    return column + QStringLiteral(" like ") + HostText::SqlLiteral(HostText::LikeEscaped(number) + QStringLiteral(".%"));
}

// The ids a user may see: granted groups, their sub-groups and the groups above
// them, and the materials of the data table below a granted group.
QString VisibleIds(const QStringList& grants, const QString& dataTable, const QString& dataColumn)
{
    QStringList groupTerms, exactNumbers, materialTerms;
    for (const QString& number : grants) {
        exactNumbers.append(HostText::SqlLiteral(number));
        for (const QString& above : NumbersAbove(number))
            exactNumbers.append(HostText::SqlLiteral(above));
        groupTerms.append(Below(QStringLiteral("g.FNumber"), number));
        materialTerms.append(Below(QStringLiteral("d.FNumber"), number));
    }
    exactNumbers.removeDuplicates();
    groupTerms.prepend(QStringLiteral("g.FNumber in (%1)").arg(exactNumbers.join(QLatin1Char(','))));
    return QStringLiteral("select g.FItemID as FVisibleID from t_Item g"
                          " where g.FItemClassID = 4 and g.FDetail = 0 and (%1)"
                          " union select d.%2 from %3 d where %4")
        .arg(groupTerms.join(QStringLiteral(" or ")), dataColumn, dataTable, materialTerms.join(QStringLiteral(" or ")));
}

}

GrantDataAccess::GrantDataAccess() = default;

GrantDataAccess::~GrantDataAccess() = default;

QStringList GrantDataAccess::Grants(qint32 userId)
{
    if (grants_ && grantsUser_ == userId)
        return *grants_;
    if (!connection_)
        connection_ = ComponentRegistry::Instance().Create<AppConnection>(ComponentNames::AppConnection);
    QStringList grants;
    const auto rows = connection_->Execute(
        QStringLiteral("SELECT FGroupNumber FROM t_UserGroupAccess WHERE FUserID = %1 ORDER BY FGroupNumber").arg(userId));
    for (; rows && !rows->Eof(); rows->MoveNext())
        grants.append(rows->Field(0).toString());
    grantsUser_ = userId;
    grants_ = grants;
    return grants;
}

bool GrantDataAccess::IsUsed(const QString&, qint32 userId)
{
    return !Grants(userId).contains(EveryGroupGrant);
}

ValueBag GrantDataAccess::GetRowAccessInfo(const QString&, qint32 userId, const ValueList& tables)
{
    ValueBag info;
    const QStringList grants = Grants(userId);
    for (int i = 1; i <= tables.Count(); ++i)
        info.Set(tables.Item(i).toString(), grants);
    return info;
}

ValueBag GrantDataAccess::GetAccessDataSQL(const ValueList& mappings, const ValueBag& accessInfo)
{
    return Fragments(mappings, accessInfo, false);
}

ValueBag GrantDataAccess::GetAccessDataSQL2(const ValueList& mappings, const ValueBag& accessInfo)
{
    return Fragments(mappings, accessInfo, true);
}

ValueBag GrantDataAccess::Fragments(const ValueList& mappings, const ValueBag& accessInfo, bool withFrom) const
{
    QStringList froms, wheres;
    for (int i = 1; i <= mappings.Count(); ++i) {
        const ValueBag mapping = mappings.Item(i).value<ValueBag>();
        const QString table = mapping.Get(QStringLiteral("DataTable")).toString();
        const QString billKey = mapping.Get(QStringLiteral("BillTableAs")).toString() + QLatin1Char('.')
                                + mapping.Get(QStringLiteral("BillCol")).toString();
        const QStringList grants = accessInfo.Get(table, QStringList()).toStringList();
        if (grants.contains(EveryGroupGrant))
            continue;
        if (grants.isEmpty()) {
            wheres.append(QStringLiteral("1 = 0"));   // nothing is known to be granted: nothing is shown
            continue;
        }
        const QString visible = VisibleIds(grants, table, mapping.Get(QStringLiteral("DataCol")).toString());
        if (withFrom) {
            const QString alias = mapping.Get(QStringLiteral("DataTableAs")).toString();
            froms.append(QStringLiteral("(%1) %2").arg(visible, alias));
            wheres.append(QStringLiteral("%1.FVisibleID = %2").arg(alias, billKey));
        } else {
            wheres.append(QStringLiteral("%1 in (%2)").arg(billKey, visible));
        }
    }
    ValueBag fragments;
    fragments.Set(QStringLiteral("From"), froms.join(QLatin1Char(',')));
    fragments.Set(QStringLiteral("Where"), wheres.join(QStringLiteral(" and ")));
    return fragments;
}

}
