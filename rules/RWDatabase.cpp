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

void RWDatabase::FilterRequest(QString& fromFragment, QString& whereFragment)
{
    ValueList tables;
    tables.Append(QStringLiteral("t_ICItem"));
    ValueBag mapping;
    mapping.Set(QStringLiteral("DataTable"), QStringLiteral("t_ICItem"));
    mapping.Set(QStringLiteral("DataTableAs"), QStringLiteral("te2"));
    mapping.Set(QStringLiteral("DataCol"), QStringLiteral("FItemID"));
    mapping.Set(QStringLiteral("BillTableAs"), QStringLiteral("u1"));
    mapping.Set(QStringLiteral("BillCol"), QStringLiteral("FItemID"));
    ValueList mappings;
    mappings.Append(QVariant::fromValue(mapping));
    MMTS::GetDataAccessFilter(MMTS::GetPropsString(), MMTS::GetSessionUserID(), tables, mappings, fromFragment,
                              whereFragment, false);
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
