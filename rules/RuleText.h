#pragma once

#include <QList>
#include <QString>

namespace vellbatchrule {

// A rule as the ledger and the commands show it: "[A]+[B]+…" of its
// properties in level order, read anew from the rule table on every call.
namespace RuleText {

// The material's own rule; empty without one.
QString OfMaterial(qint32 materialId);
// Any stored rule: a material's (detail 1) or a group's (0).
QString OfStored(qint32 ownerId, qint32 detail);
QString Of(const QList<qint32>& propertyIds);

}

}
