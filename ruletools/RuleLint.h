#pragma once

#include "BatRuleStruct.h"

#include <QList>
#include <QString>

#include <map>
#include <tuple>

namespace vellbatchrule {

// What a rule gives away before any document uses it: errors where the
// editor's checks would refuse it today or no document can fill it,
// warnings where its batch numbers will repeat or lose characters, and
// notes on how many batches its serial number leaves room for.
namespace RuleLint {

enum class Severity { Note, Warning, Error };

struct Finding {
    Severity severity;
    QString text;   // translated
};

// The findings of one rule, elements with plain texts in level order. With
// the material's number, its code is measured against the elements that
// take it.
QList<Finding> Check(const QList<BatRuleStruct>& elements, const QString& materialNumber = QString());

// Checks rule after rule: the notes many rules share are formatted once.
class Linter {
public:
    QList<Finding> Check(const QList<BatRuleStruct>& elements, const QString& materialNumber = QString());

private:
    QString CapacityText(int level, const BatRuleStruct& serial, int period);
    QString LongCodeText(int level, const QString& code, int length);

    std::map<std::tuple<int, int, QString, int>, QString> capacityTexts_;   // level, length, start, period
    QString longCodePattern_;   // translated when first needed
};

QString SeverityText(Severity severity);

}

}
