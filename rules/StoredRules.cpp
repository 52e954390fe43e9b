#include "StoredRules.h"

#include "MParse.h"
#include "RWDatabase.h"
#include "Recordset.h"

#include <algorithm>

namespace vellbatchrule {

namespace StoredRules {

namespace {

// Rows of FetchStoredRules: the owner's FNumber and FName, then the element.
constexpr int kNumber = 0, kName = 1, kElement = 2, kOwner = kElement + 1;

// The rows come owner by owner, not necessarily in level order within one.
void VisitInLevelOrder(StoredRule& rule, const std::function<void(const StoredRule&)>& visit)
{
    std::stable_sort(rule.elements.begin(), rule.elements.end(),
                     [](const BatRuleStruct& a, const BatRuleStruct& b) { return a.FID < b.FID; });
    visit(rule);
}

// Walks consecutive rows of one owner at a time.
void VisitOwners(Recordset& rows, bool group, const std::function<void(const StoredRule&)>& visit)
{
    StoredRule rule;
    rule.group = group;
    for (; !rows.Eof(); rows.MoveNext()) {
        const qint32 owner = rows.Field(kOwner).toInt();
        if (!rule.elements.isEmpty() && owner != rule.ownerId) {
            VisitInLevelOrder(rule, visit);
            rule.elements.clear();
        }
        if (rule.elements.isEmpty()) {
            rule.ownerId = owner;
            rule.number = rows.Field(kNumber).toString();
            rule.name = rows.Field(kName).toString();
        }
        rule.elements.append(ElementOf(rows, kElement));
    }
    if (!rule.elements.isEmpty())
        VisitInLevelOrder(rule, visit);
}

// The root's rule reaches every material: only a user who may see every group sees it.
bool ReadRoot(RWDatabase& database, const std::function<void(const StoredRule&)>& visit)
{
    if (!RWDatabase::AccessScopeOf(QStringLiteral("u1")).Open())
        return true;
    const auto root = database.FetchBatchRule(0, RuleOwner::Group);
    if (!root)
        return false;
    StoredRule rootRule;
    rootRule.group = true;
    rootRule.name = MParse::TranslateText("物料");
    for (; !root->Eof(); root->MoveNext())
        rootRule.elements.append(ElementOf(*root));
    if (!rootRule.elements.isEmpty())
        visit(rootRule);
    return true;
}

}

BatRuleStruct ElementOf(const Recordset& row, int first)
{
    BatRuleStruct element;
    element.FID = row.Field(first).toInt();
    element.FItemID = row.Field(first + 1).toInt();
    element.FPropertyID = row.Field(first + 2).toInt();
    element.FUseShortNumber = row.Field(first + 3).toInt();
    element.FFormatDate = row.Field(first + 4).toString();
    element.FSelDefine = row.Field(first + 5).toString();
    element.FWidth = row.Field(first + 6).toInt();
    element.FCharacter = row.Field(first + 7).toString();
    element.FSubCharacter = row.Field(first + 8).toString();
    return element;
}

bool Read(const std::function<void(const StoredRule&)>& visit)
{
    RWDatabase database;
    if (!ReadRoot(database, visit))
        return false;
    for (const RuleOwner owner : {RuleOwner::Group, RuleOwner::Material}) {
        const auto rows = database.FetchStoredRules(owner);
        if (!rows)
            return false;
        VisitOwners(*rows, owner == RuleOwner::Group, visit);
    }
    return true;
}

}

}
