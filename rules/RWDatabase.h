#pragma once

#include "BatRuleStruct.h"
#include "Recordset.h"
#include "RowReader.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace vellbatchrule {

// The reading side: the material groups, the batch-managed materials of one
// group (both narrowed by the user's access rights) and the elements of one
// rule. A failure is shown once with the query's label and answered with no
// record set; a failure of the access filter reaches the caller.
class HostError;

class RWDatabase {
public:
    // What the user's access rights add to a statement on t_ICItem or t_Item
    // under one alias: more table sources and a condition; both empty when
    // the user is not restricted.
    struct AccessScope {
        QString from, where;
        // Not restricted: the user may see every group and material.
        bool Open() const { return from.isEmpty() && where.isEmpty(); }
    };
    // Asks the access filter; its failures reach the caller.
    static AccessScope AccessScopeOf(const QString& tableAlias);
    // Whether the user may see every group, and so the root's rule, which
    // reaches every material; the access filter's failures reach the caller.
    static bool SeesEveryGroup();

    std::unique_ptr<Recordset> FetchParentItem();
    std::unique_ptr<Recordset> FetchItemDetail(qint32 parentId);
    std::unique_ptr<Recordset> FetchBatchRule(qint32 itemId, RuleOwner owner);
    // One material group, or one material, when the user may see it: no row otherwise.
    std::unique_ptr<Recordset> FetchGroup(qint32 groupId);
    std::unique_ptr<Recordset> FetchItem(qint32 itemId);

    // Every stored rule whose owner the user may see, read row by row, one
    // row per element with the owner's FNumber and FName first, owner after
    // owner: the rules of batch-managed materials, or those of groups (the
    // root's rule, owner 0, is FetchBatchRule(0, RuleOwner::Group)). False
    // when the query failed; it has shown why.
    bool ReadStoredRules(RuleOwner owner, const std::function<void(const RowReader&)>& row);
    // The batch-managed materials below a group number ("" for all), and
    // below none of the inner group numbers, that the user may see, counted:
    // FMaterials, and FOwnRules of them with rule rows.
    std::unique_ptr<Recordset> CountSpread(const QString& groupNumber, const QStringList& innerGroups = {});
    // The first `count` of those materials by number (FItemID, FNumber,
    // FName); only those without rule rows when own rules are spared.
    std::unique_ptr<Recordset> FetchSpreadSample(const QString& groupNumber, bool spareOwnRules, int count);
    // Every batch-managed material the user may see: FItemID, FNumber,
    // FName, FParentID, by number.
    std::unique_ptr<Recordset> FetchBatchManagedItems();
    // The first `most` groups, or batch-managed materials, found that the
    // user may see and whose number or name holds `text` anywhere, as the
    // database compares texts: FItemID, FNumber, FName, FParentID. In no
    // order: an order by number would read every match of a million
    // materials before answering the first.
    std::unique_ptr<Recordset> FindGroups(const QString& text, int most);
    std::unique_ptr<Recordset> FindMaterials(const QString& text, int most);

    // The texts the queries send.
    static QString ParentItemSql(const QString& fromFragment, const QString& whereFragment);
    static QString ItemDetailSql(qint32 parentId, const QString& fromFragment, const QString& whereFragment);
    static QString BatchRuleSql(qint32 itemId, RuleOwner owner);
    static QString GroupSql(qint32 groupId, const QString& fromFragment, const QString& whereFragment);
    static QString ItemSql(qint32 itemId, const QString& fromFragment, const QString& whereFragment);
    static QString StoredRulesSql(RuleOwner owner, const QString& fromFragment, const QString& whereFragment);
    static QString CountSpreadSql(const QString& groupNumber, const QStringList& innerGroups, const QString& fromFragment,
                                  const QString& whereFragment);
    static QString SpreadSampleSql(const QString& groupNumber, bool spareOwnRules, int count, const QString& fromFragment,
                                   const QString& whereFragment);
    static QString BatchManagedItemsSql(const QString& fromFragment, const QString& whereFragment);
    static QString FindGroupsSql(const QString& text, int most, const QString& fromFragment, const QString& whereFragment);
    static QString FindMaterialsSql(const QString& text, int most, const QString& fromFragment,
                                    const QString& whereFragment);

    // What the database holds, as administrators read it: the groups, the
    // materials, the rules and the batch options, each one batch. A
    // restricted user's batches keep to what the scope lets them see; the
    // root's rule, which reaches every material, among it only when the
    // scope is open.
    static QStringList SummarySql(const AccessScope& scope);

    // "column like 'g.%'": the materials below group number g, the number
    // standing only for itself whatever it holds.
    static QString NumberBelow(const QString& column, const QString& groupNumber);

private:
    static void FilterRequest(QString& fromFragment, QString& whereFragment, const QString& tableAlias = QStringLiteral("u1"),
                              bool firstForm = false);
    static void ShowFailure(const QString& label, const HostError& error);
    static std::unique_ptr<Recordset> Guarded(const QString& label, const std::function<QString()>& compose);
    // Guarded, the batch composed with the access filter's fragments for u1.
    using FilteredSql = std::function<QString(const QString& fromFragment, const QString& whereFragment)>;
    static std::unique_ptr<Recordset> GuardedFiltered(const QString& label, const FilteredSql& compose);
    // GuardedFiltered, its rows read one at a time.
    static bool GuardedRead(const QString& label, const FilteredSql& compose,
                            const std::function<void(const RowReader&)>& row);
};

}
