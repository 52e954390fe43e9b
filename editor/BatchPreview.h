#pragma once

#include "BatRuleStruct.h"
#include "RuleLint.h"

#include <QList>
#include <QString>

namespace vellbatchrule {

class RuleGrid;

// The editor's preview line: the batch number its rule gives for a sample
// document, with the rule's lint as the line's tooltip. Nothing of it shows
// a box or stops the user; a rule still half filled in shows what it has.
namespace BatchPreview {

// The rows up to `levels` that have a property, read as the save reads them.
QList<BatRuleStruct> GridElements(const RuleGrid& grid, int levels);

// The material's number as stored, "" when there is none or it cannot be read.
QString MaterialNumber(qint32 itemId);

// The line (its caption, then the number) and its tooltip: the whole
// number, then the findings.
QString LineText(const QString& number);
QString ToolTip(const QString& number, const QList<RuleLint::Finding>& findings);

}

}
