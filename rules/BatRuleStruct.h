#pragma once

#include <QString>

namespace vellbatchrule {

// Whose rule an element is, as ICBatchNoRule.FDetail stores it.
enum class RuleOwner { Group = 0, Material = 1 };

// One element of a batch-number rule, as one row of ICBatchNoRule. While a
// rule is being saved the four text fields hold their value already written
// as an SQL literal ('yymmdd', '').
struct BatRuleStruct {
    qint32 FID = 0;
    qint32 FItemID = 0;
    qint32 FPropertyID = 0;
    qint32 FUseShortNumber = 0;
    QString FFormatDate;
    QString FSelDefine;
    qint32 FWidth = 0;
    QString FCharacter;
    QString FSubCharacter;
};

}
