#include "RWDatabase.h"

#include "GLB.h"
#include "HostError.h"
#include "HostText.h"
#include "MMTS.h"
#include "ModuleState.h"
#include "SqlLines.h"
#include "ValueList.h"

namespace vellbatchrule {

namespace {

QString FromPart(const QString& fragment)
{
    return fragment.isEmpty() ? QString() : QStringLiteral(",") + fragment;
}

QString WherePart(const QString& fragment)
{
    return fragment.isEmpty() ? QString() : QStringLiteral(" and ") + fragment;
}

// The batch-managed materials below a group number, all of them for "".
QString BelowGroup(const QString& groupNumber)
{
    return groupNumber.isEmpty() ? QString() : QStringLiteral(" And ") + RWDatabase::NumberBelow(QStringLiteral("u1.FNumber"), groupNumber);
}

// The first `most` rows of a table of the kind whose number or name holds
// the text anywhere, the text standing only for itself.
QString FindSql(const QString& table, const QString& kind, const QString& text, int most, const QString& fromFragment,
                const QString& whereFragment)
{
    const QString pattern = HostText::SqlLiteral(QLatin1Char('%') + HostText::LikeEscaped(text) + QLatin1Char('%'));
    SqlLines sql;
    sql << QStringLiteral(" SELECT TOP ") + QString::number(most) + QStringLiteral(" u1.FItemID,u1.FNumber,u1.FName,u1.FParentID")
        << QStringLiteral(" From ") + table + QStringLiteral(" u1") + FromPart(fromFragment)
        << QStringLiteral(" Where ") + kind + QStringLiteral(" And (u1.FNumber like ") + pattern
               + QStringLiteral(" Or u1.FName like ") + pattern + QLatin1Char(')') + WherePart(whereFragment);
    return sql.Text();
}

const QString kOwnsRuleRows = QStringLiteral("Exists (SELECT 1 FROM ICBatchNoRule r WHERE r.FItemID=u1.FItemID)");

}

QString RWDatabase::NumberBelow(const QString& column, const QString& groupNumber)
{
    return column + QStringLiteral(" like ") + HostText::SqlLiteral(HostText::LikeEscaped(groupNumber) + QStringLiteral(".%"));
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

bool RWDatabase::SeesEveryGroup()
{
    return AccessScopeOf(QStringLiteral("u1")).Open();
}

void RWDatabase::ShowFailure(const QString& label, const HostError& error)
{
    GLB::ShowErrorMessage(label + QStringLiteral("\r\n") + error.Description(), 0, false, &error);
}

std::unique_ptr<Recordset> RWDatabase::Guarded(const QString& label, const std::function<QString()>& compose)
{
    try {
        return CurrentHostConnection().Execute(compose());
    } catch (const HostError& error) {
        ShowFailure(label, error);
        return nullptr;
    }
}

std::unique_ptr<Recordset> RWDatabase::GuardedFiltered(const QString& label, const FilteredSql& compose)
{
    QString from, where;
    FilterRequest(from, where);
    return Guarded(label, [&] { return compose(from, where); });
}

bool RWDatabase::GuardedRead(const QString& label, const FilteredSql& compose,
                             const std::function<void(const RowReader&)>& row)
{
    QString from, where;
    FilterRequest(from, where);
    try {
        CurrentHostConnection().ReadRows(compose(from, where), row);
        return true;
    } catch (const HostError& error) {
        ShowFailure(label, error);
        return false;
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

QString RWDatabase::BatchRuleSql(qint32 itemId, RuleOwner owner)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                          "FSubCharacter")
        << QStringLiteral(" From ICBatchNoRule")
        << QStringLiteral(" Where FItemID=") + QString::number(itemId) + QStringLiteral(" and ")
        << QStringLiteral("       FDetail=") + QString::number(qToUnderlying(owner))
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

QString RWDatabase::StoredRulesSql(RuleOwner owner, const QString& fromFragment, const QString& whereFragment)
{
    const bool items = owner == RuleOwner::Material;
    SqlLines sql;
    sql << QStringLiteral(" SELECT u1.FNumber,u1.FName,r.FID,r.FItemID,r.FPropertyID,r.FUseShortNumber,r.FFormatDate,"
                          "r.FSelDefine,r.FWidth,r.FCharacter,r.FSubCharacter")
        << (items ? QStringLiteral(" From ICBatchNoRule r,t_ICItem u1") : QStringLiteral(" From ICBatchNoRule r,t_Item u1"))
               + FromPart(fromFragment)
        << QStringLiteral(" Where r.FDetail=") + QString::number(qToUnderlying(owner))
               + QStringLiteral(" And r.FItemID=u1.FItemID")
               + (items ? QStringLiteral(" And u1.FBatchManager = 1")
                        : QStringLiteral(" And u1.FItemClassID = 4 And u1.FDetail = 0"))
               + WherePart(whereFragment)
        << QStringLiteral(" ORDER BY r.FItemID");   // owners together; a sort by FID too would run over the whole table
    return sql.Text();
}

QString RWDatabase::CountSpreadSql(const QString& groupNumber, const QStringList& innerGroups,
                                   const QString& fromFragment, const QString& whereFragment)
{
    QStringList inner;
    for (const QString& number : innerGroups)
        inner << NumberBelow(QStringLiteral("u1.FNumber"), number);
    SqlLines sql;
    sql << QStringLiteral(" SELECT COUNT(*) AS FMaterials,")
        << QStringLiteral(" SUM(CASE WHEN ") + kOwnsRuleRows + QStringLiteral(" THEN 1 ELSE 0 END) AS FOwnRules")
        << QStringLiteral(" From t_ICItem u1") + FromPart(fromFragment)
        << QStringLiteral(" Where u1.FBatchManager = 1") + BelowGroup(groupNumber)
               + (inner.isEmpty() ? QString() : QStringLiteral(" And Not (") + inner.join(QStringLiteral(" Or ")) + QLatin1Char(')'))
               + WherePart(whereFragment);
    return sql.Text();
}

QString RWDatabase::SpreadSampleSql(const QString& groupNumber, bool spareOwnRules, int count,
                                    const QString& fromFragment, const QString& whereFragment)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT TOP ") + QString::number(count) + QStringLiteral(" u1.FItemID,u1.FNumber,u1.FName")
        << QStringLiteral(" From t_ICItem u1") + FromPart(fromFragment)
        << QStringLiteral(" Where u1.FBatchManager = 1") + BelowGroup(groupNumber)
               + (spareOwnRules ? QStringLiteral(" And Not ") + kOwnsRuleRows : QString()) + WherePart(whereFragment)
        << QStringLiteral(" ORDER BY u1.FNumber");
    return sql.Text();
}

QString RWDatabase::BatchManagedItemsSql(const QString& fromFragment, const QString& whereFragment)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT u1.FItemID,u1.FNumber,u1.FName,u1.FParentID")
        << QStringLiteral(" From t_ICItem u1") + FromPart(fromFragment)
        << QStringLiteral(" Where u1.FBatchManager = 1") + WherePart(whereFragment)
        << QStringLiteral(" ORDER BY u1.FNumber");
    return sql.Text();
}

std::unique_ptr<Recordset> RWDatabase::FindGroups(const QString& text, int most)
{
    return GuardedFiltered(QStringLiteral("FindGroups::"),
                           [&](auto& from, auto& where) { return FindGroupsSql(text, most, from, where); });
}

std::unique_ptr<Recordset> RWDatabase::FindMaterials(const QString& text, int most)
{
    return GuardedFiltered(QStringLiteral("FindMaterials::"),
                           [&](auto& from, auto& where) { return FindMaterialsSql(text, most, from, where); });
}

QString RWDatabase::FindGroupsSql(const QString& text, int most, const QString& fromFragment, const QString& whereFragment)
{
    return FindSql(QStringLiteral("t_Item"), QStringLiteral("u1.FItemClassID = 4 And u1.FDetail = 0"), text, most,
                   fromFragment, whereFragment);
}

QString RWDatabase::FindMaterialsSql(const QString& text, int most, const QString& fromFragment,
                                     const QString& whereFragment)
{
    return FindSql(QStringLiteral("t_ICItem"), QStringLiteral("u1.FBatchManager = 1"), text, most, fromFragment,
                   whereFragment);
}

QStringList RWDatabase::SummarySql(const AccessScope& scope)
{
    const QString options = QStringLiteral("SELECT FKey,FValue FROM t_SystemProfile WHERE FCategory = 'IC' ORDER BY FKey");
    const QString ruleColumns = QStringLiteral("FItemID,FDetail,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,"
                                               "FWidth,FCharacter,FSubCharacter");
    if (scope.Open())
        return {QStringLiteral("SELECT FItemID,FNumber,FName,FParentID FROM t_Item WHERE FItemClassID = 4 AND FDetail = 0 "
                               "ORDER BY FNumber"),
                QStringLiteral("SELECT FItemID,FNumber,FName,FParentID,FBatchManager FROM t_ICItem ORDER BY FNumber"),
                QStringLiteral("SELECT %1 FROM ICBatchNoRule ORDER BY FDetail,FItemID,FID").arg(ruleColumns), options};
    const QString groups = QStringLiteral(" FROM t_Item u1") + FromPart(scope.from)
                           + QStringLiteral(" WHERE u1.FItemClassID = 4 AND u1.FDetail = 0") + WherePart(scope.where);
    const QString materials = QStringLiteral(" FROM t_ICItem u1") + FromPart(scope.from)
                              + QStringLiteral(" WHERE 1 = 1") + WherePart(scope.where);
    return {QStringLiteral("SELECT u1.FItemID,u1.FNumber,u1.FName,u1.FParentID") + groups + QStringLiteral(" ORDER BY u1.FNumber"),
            QStringLiteral("SELECT u1.FItemID,u1.FNumber,u1.FName,u1.FParentID,u1.FBatchManager") + materials
                + QStringLiteral(" ORDER BY u1.FNumber"),
            QStringLiteral("SELECT %1 FROM ICBatchNoRule WHERE FDetail = 1 AND FItemID IN (SELECT u1.FItemID%2)"
                           " OR FDetail = 0 AND FItemID IN (SELECT u1.FItemID%3) ORDER BY FDetail,FItemID,FID")
                .arg(ruleColumns, materials, groups),
            options};
}

std::unique_ptr<Recordset> RWDatabase::FetchParentItem()
{
    return GuardedFiltered(QStringLiteral("FetchParentItem::"),
                           [&](auto& from, auto& where) { return ParentItemSql(from, where); });
}

std::unique_ptr<Recordset> RWDatabase::FetchItemDetail(qint32 parentId)
{
    return GuardedFiltered(QStringLiteral("FetchItemDetail::"),
                           [&](auto& from, auto& where) { return ItemDetailSql(parentId, from, where); });
}

std::unique_ptr<Recordset> RWDatabase::FetchBatchRule(qint32 itemId, RuleOwner owner)
{
    return Guarded(QStringLiteral("FetchBatchRule::"), [&] { return BatchRuleSql(itemId, owner); });
}

std::unique_ptr<Recordset> RWDatabase::FetchGroup(qint32 groupId)
{
    return GuardedFiltered(QStringLiteral("FetchGroup::"),
                           [&](auto& from, auto& where) { return GroupSql(groupId, from, where); });
}

std::unique_ptr<Recordset> RWDatabase::FetchItem(qint32 itemId)
{
    return GuardedFiltered(QStringLiteral("FetchItem::"),
                           [&](auto& from, auto& where) { return ItemSql(itemId, from, where); });
}

bool RWDatabase::ReadStoredRules(RuleOwner owner, const std::function<void(const RowReader&)>& row)
{
    return GuardedRead(QStringLiteral("FetchStoredRules::"),
                       [&](auto& from, auto& where) { return StoredRulesSql(owner, from, where); }, row);
}

std::unique_ptr<Recordset> RWDatabase::CountSpread(const QString& groupNumber, const QStringList& innerGroups)
{
    return GuardedFiltered(QStringLiteral("CountSpread::"),
                           [&](auto& from, auto& where) { return CountSpreadSql(groupNumber, innerGroups, from, where); });
}

std::unique_ptr<Recordset> RWDatabase::FetchSpreadSample(const QString& groupNumber, bool spareOwnRules, int count)
{
    return GuardedFiltered(QStringLiteral("FetchSpreadSample::"),
                           [&](auto& from, auto& where) {
                               return SpreadSampleSql(groupNumber, spareOwnRules, count, from, where);
                           });
}

std::unique_ptr<Recordset> RWDatabase::FetchBatchManagedItems()
{
    return GuardedFiltered(QStringLiteral("FetchBatchManagedItems::"),
                           [&](auto& from, auto& where) { return BatchManagedItemsSql(from, where); });
}

}
