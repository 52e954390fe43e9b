#pragma once

#include "BatRuleStruct.h"

#include <QList>
#include <QString>
#include <functional>

namespace vellbatchrule {

class RowReader;

// One stored rule with its owner, its elements in level order with their
// texts as stored (not as SQL literals).
struct StoredRule {
    bool group = false;      // a group rule (RuleOwner::Group), else a material's
    qint32 ownerId = 0;
    QString number, name;    // the owner's; the root group has no number
    QList<BatRuleStruct> elements;
};

// Every stored rule the user may see, one at a time: the root's, the
// groups' by number, then the materials' by number.
namespace StoredRules {

// False when a query failed; it has shown why.
bool Read(const std::function<void(const StoredRule&)>& visit);

// The element of a rule query's row, its columns FID … FSubCharacter from
// position `first` on.
BatRuleStruct ElementOf(const RowReader& row, int first = 0);

}

}
