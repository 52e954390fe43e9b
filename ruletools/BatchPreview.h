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

// A cell as the user is typing it, not committed yet.
struct TypedCell {
    int column = 0, row = 0;
    QString text;
};
// The same, the typed cell read as it is typed so far: the line follows each keystroke.
QList<BatRuleStruct> GridElements(const RuleGrid& grid, int levels, const TypedCell& typed);

// The material's number as stored, "" when there is none or it cannot be read.
QString MaterialNumber(qint32 itemId);

// True when a finding is an error: the rule would be refused or cannot be filled.
bool HasError(const QList<RuleLint::Finding>& findings);

// The line (its caption, which says so when the rule has an error, then the
// number) and its tooltip: the whole line, then the findings.
QString LineText(const QString& number, bool faulty = false);
QString ToolTip(const QString& number, const QList<RuleLint::Finding>& findings);

}

}
