#include "RWDatabase.h"

#include "GLB.h"
#include "HostError.h"
#include "MMTS.h"
#include "ModuleState.h"
#include "SqlLines.h"
#include "ValueList.h"

namespace {

QString FromPart(const QString& fragment)
{
    return fragment.isEmpty() ? QString() : QStringLiteral(",") + fragment;
}

QString WherePart(const QString& fragment)
{
    return fragment.isEmpty() ? QString() : QStringLiteral(" and ") + fragment;
}

}

void RWDatabase::FilterRequest(QString& fromFragment, QString& whereFragment, const QString& tableAlias, bool firstForm)
{
    ValueList tables;
    tables.Append(QStringLiteral("t_ICItem"));
    ValueBag mapping;
    mapping.Set(QStringLiteral("DataTable"), QStringLiteral("t_ICItem"));
    mapping.Set(QStringLiteral("DataTableAs"), QStringLiteral("te2"));
    mapping.Set(QStringLiteral("DataCol"), QStringLiteral("FItemID"));
    mapping.Set(QStringLiteral("BillTableAs"), tableAlias);
    mapping.Set(QStringLiteral("BillCol"), QStringLiteral("FItemID"));
    ValueList mappings;
    mappings.Append(QVariant::fromValue(mapping));
    MMTS::GetDataAccessFilter(MMTS::GetPropsString(), MMTS::GetSessionUserID(), tables, mappings, fromFragment,
                              whereFragment, firstForm);
}

RWDatabase::AccessScope RWDatabase::AccessScopeOf(const QString& tableAlias)
{
    // The first form asks for a condition alone where the host can give one,
    // so the writers' own table lists stay as they are.
    AccessScope scope;
    FilterRequest(scope.from, scope.where, tableAlias, true);
    return scope;
}

std::unique_ptr<Recordset> RWDatabase::Guarded(const QString& label, const std::function<QString()>& compose)
{
    try {
        return CurrentHostConnection().Execute(compose());
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(label + QStringLiteral("\r\n") + error.Description(), 0, false, &error);
        return nullptr;
    }
}

QString RWDatabase::ParentItemSql(const QString& fromFragment, const QString& whereFragment)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT u1.FItemID,u1.FName,u1.FNumber,u1.FParentID,u1.FDetail")
        << QStringLiteral(" From t_Item u1 ") + FromPart(fromFragment)
        << QStringLiteral(" Where u1.FItemClassID = 4 And FDetail = 0") + WherePart(whereFragment)
        << QStringLiteral(" ORDER BY u1.FNumber");
    return sql.Text();
}

QString RWDatabase::ItemDetailSql(qint32 parentId, const QString& fromFragment, const QString& whereFragment)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT u1.FItemID,u1.FNumber,u1.FName,'' as FRule")
        << QStringLiteral(" From t_ICItem u1") + FromPart(fromFragment)
        << QStringLiteral(" Where u1.FBatchManager = 1 And u1.FParentID=") + QString::number(parentId)
               + WherePart(whereFragment)
        << QStringLiteral(" ORDER BY u1.FNumber");
    return sql.Text();
}

QString RWDatabase::BatchRuleSql(qint32 itemId, qint32 detail)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                          "FSubCharacter")
        << QStringLiteral(" From ICBatchNoRule")
        << QStringLiteral(" Where FItemID=") + QString::number(itemId) + QStringLiteral(" and ")
        << QStringLiteral("       FDetail=") + QString::number(detail)
        << QStringLiteral(" ORDER BY FItemID,FID");
    return sql.Text();
}

QString RWDatabase::GroupSql(qint32 groupId, const QString& fromFragment, const QString& whereFragment)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT u1.FItemID,u1.FName,u1.FNumber,u1.FParentID,u1.FDetail")
        << QStringLiteral(" From t_Item u1 ") + FromPart(fromFragment)
        << QStringLiteral(" Where u1.FItemClassID = 4 And u1.FDetail = 0 And u1.FItemID=") + QString::number(groupId)
               + WherePart(whereFragment);
    return sql.Text();
}

QString RWDatabase::ItemSql(qint32 itemId, const QString& fromFragment, const QString& whereFragment)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT u1.FItemID,u1.FNumber,u1.FName,u1.FParentID,u1.FBatchManager")
        << QStringLiteral(" From t_ICItem u1") + FromPart(fromFragment)
        << QStringLiteral(" Where u1.FItemID=") + QString::number(itemId) + WherePart(whereFragment);
    return sql.Text();
}

std::unique_ptr<Recordset> RWDatabase::FetchParentItem()
{
    QString from, where;
    FilterRequest(from, where);
    return Guarded(QStringLiteral("FetchParentItem::"), [&] { return ParentItemSql(from, where); });
}

std::unique_ptr<Recordset> RWDatabase::FetchItemDetail(qint32 parentId)
{
    QString from, where;
    FilterRequest(from, where);
    return Guarded(QStringLiteral("FetchItemDetail::"), [&] { return ItemDetailSql(parentId, from, where); });
}

std::unique_ptr<Recordset> RWDatabase::FetchBatchRule(qint32 itemId, const qint32& detail)
{
    return Guarded(QStringLiteral("FetchBatchRule::"), [&] { return BatchRuleSql(itemId, detail); });
}

std::unique_ptr<Recordset> RWDatabase::FetchGroup(qint32 groupId)
{
    QString from, where;
    FilterRequest(from, where);
    return Guarded(QStringLiteral("FetchGroup::"), [&] { return GroupSql(groupId, from, where); });
}

std::unique_ptr<Recordset> RWDatabase::FetchItem(qint32 itemId)
{
    QString from, where;
    FilterRequest(from, where);
    return Guarded(QStringLiteral("FetchItem::"), [&] { return ItemSql(itemId, from, where); });
}
