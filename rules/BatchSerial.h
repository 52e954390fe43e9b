#pragma once

#include "BatRuleStruct.h"
#include "BatchNumberComposer.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vellbatchrule {

// A rule's serial for one document. The serial counts per material and per
// rest of the number: the number with every serial element's place marked,
// so that another day, month or supplier code starts the count anew and the
// whole number never repeats. Every serial element of a rule shows the same
// value.
class BatchSerial {
public:
    BatchSerial(QList<BatRuleStruct> elements, BatchDocument document);

    bool Exists() const { return serials_ > 0; }
    // The format's value, where the count starts: 1 for 0001.
    qint64 Start() const;
    // The largest value every serial element holds in its length; -1: no limit.
    qint64 Limit() const;
    // The counter's key: no element's text holds the mark, so two rests
    // differ exactly when the texts around the serial differ.
    const QString& Rest() const { return rest_; }
    // The rest as a message shows it, the serial's place named.
    QString ShownRest() const;
    // The batch number with the serial at `value`, composed as the composer composes it.
    QString Number(qint64 value) const;

    static constexpr char16_t kPlace = u'"';   // a character no batch number carries

private:
    QList<BatRuleStruct> elements_;
    BatchDocument document_;
    QStringList texts_;   // each element's text, made once; a serial's is made with each number
    QString rest_;
    int serials_ = 0;
};

}
