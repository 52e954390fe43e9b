#include "StoredRules.h"

#include "MParse.h"
#include "RWDatabase.h"
#include "Recordset.h"
#include "RecordsetRow.h"

#include <algorithm>

namespace vellbatchrule {

namespace StoredRules {

namespace {

// Rows of ReadStoredRules: the owner's FNumber and FName, then the element, whose FItemID is the owner.
constexpr int kNumber = 0, kName = 1, kElement = 2;

// The rows come owner by owner, not necessarily in level order within one.
void VisitInLevelOrder(StoredRule& rule, const std::function<void(const StoredRule&)>& visit)
{
    const auto byLevel = [](const BatRuleStruct& a, const BatRuleStruct& b) { return a.FID < b.FID; };
    if (!std::is_sorted(rule.elements.cbegin(), rule.elements.cend(), byLevel))
        std::stable_sort(rule.elements.begin(), rule.elements.end(), byLevel);
    visit(rule);
}

// Gathers consecutive rows of one owner at a time.
bool ReadOwners(RWDatabase& database, RuleOwner owner, const std::function<void(const StoredRule&)>& visit)
{
    StoredRule rule;
    rule.group = owner == RuleOwner::Group;
    const bool read = database.ReadStoredRules(owner, [&](const RowReader& row) {
        BatRuleStruct element = ElementOf(row, kElement);
        if (!rule.elements.isEmpty() && element.FItemID != rule.ownerId) {
            VisitInLevelOrder(rule, visit);
            rule.elements.clear();
        }
        if (rule.elements.isEmpty()) {
            rule.ownerId = element.FItemID;
            rule.number = row.Text(kNumber);
            rule.name = row.Text(kName);
        }
        rule.elements.append(std::move(element));
    });
    if (read && !rule.elements.isEmpty())
        VisitInLevelOrder(rule, visit);
    return read;
}

// The root's rule reaches every material: only a user who may see every group sees it.
bool ReadRoot(RWDatabase& database, const std::function<void(const StoredRule&)>& visit)
{
    if (!RWDatabase::SeesEveryGroup())
        return true;
    const auto root = database.FetchBatchRule(0, RuleOwner::Group);
    if (!root)
        return false;
    StoredRule rootRule;
    rootRule.group = true;
    rootRule.name = MParse::TranslateText("物料");
    for (const RecordsetRow row(*root); !root->Eof(); root->MoveNext())
        rootRule.elements.append(ElementOf(row));
    if (!rootRule.elements.isEmpty())
        visit(rootRule);
    return true;
}

}

BatRuleStruct ElementOf(const RowReader& row, int first)
{
    BatRuleStruct element;
    element.FID = qint32(row.Integer(first));
    element.FItemID = qint32(row.Integer(first + 1));
    element.FPropertyID = qint32(row.Integer(first + 2));
    element.FUseShortNumber = qint32(row.Integer(first + 3));
    element.FFormatDate = row.Text(first + 4);
    element.FSelDefine = row.Text(first + 5);
    element.FWidth = qint32(row.Integer(first + 6));
    element.FCharacter = row.Text(first + 7);
    element.FSubCharacter = row.Text(first + 8);
    return element;
}

bool Read(const std::function<void(const StoredRule&)>& visit)
{
    RWDatabase database;
    if (!ReadRoot(database, visit))
        return false;
    return ReadOwners(database, RuleOwner::Group, visit) && ReadOwners(database, RuleOwner::Material, visit);
}

}

}
