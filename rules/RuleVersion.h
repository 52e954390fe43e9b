#pragma once

#include <QList>
#include <QString>

namespace vellbatchrule {

class Recordset;
struct BatRuleStruct;

// A stored rule's version where no history is kept: a digest of its rows
// as the rule query reads them, so that a writer can tell whether the rule
// moved on since it was read.
namespace RuleVersion {

// The rows from the current one on, then back at the first: twelve hex
// digits, or NoRule where there are none.
QString Of(Recordset& rows);
inline constexpr char NoRule[] = "0";
// The same of an owner's elements, in the order the rule query reads them.
QString Of(qint32 ownerId, const QList<BatRuleStruct>& elements);

}

}
