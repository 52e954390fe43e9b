#pragma once

#include "BatRuleStruct.h"

#include <QList>
#include <QString>

namespace vellbatchrule {

class Recordset;

// A rule as the ledger and the commands show it: "[A]+[B]+…" of its
// properties in level order, read anew from the rule table on every call.
namespace RuleText {

// The material's own rule; empty without one.
QString OfMaterial(qint32 materialId);
// Any stored rule: a material's or a group's.
QString OfStored(qint32 ownerId, RuleOwner owner);
// The rule query's rows from the current one on.
QString OfRows(Recordset& rows);
QString Of(const QList<qint32>& propertyIds);

// The properties of the rows from the current one on as "23+26": the same
// in every language, as the history keeps a rule.
QString IdsOfRows(Recordset& rows);
// Such ids as Of shows them; any other text (a change of the options) as it is.
QString OfIds(const QString& ids);

}

}
