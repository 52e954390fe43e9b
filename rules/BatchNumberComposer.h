#pragma once

#include "BatRuleStruct.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

namespace vellbatchrule {

// What a document holds for the elements of a rule: its date, the line the
// batch is on, and the values of its other properties by property ID (the
// long code of a base-data property, the text of a document number). A
// property that is absent or empty is one the document does not have.
struct BatchDocument {
    QDate date;
    int line = 1;
    QHash<qint32, QString> values;
};

// The batch number a rule gives for one document: each element's value by
// its kind, fitted to the element's length, the elements joined in level
// order. Elements hold plain texts (as stored, not as SQL literals).
//
// Values by kind:
//   base-data code   the document's long code, or its short code: the part
//                    after the last full stop (01.02.1001 gives 1001; a code
//                    without a full stop is its own short code);
//   document number  the document's text as it is;
//   date             yyyy the four-digit year, yy its last two digits, mm the
//                    month and dd the day in two digits; "/" and "-" as they are;
//   line number      the line number with at least as many digits as the
//                    format has zeros (format 000, line 7 gives 007);
//   custom           the custom characters;
//   serial number    the first batch of its period: the start value (the
//                    serial's format), 1 in 0001 at length 4.
//
// Fitting to the length, one rule for all kinds:
//   - a number (serial number, line number) stands right: the pad character
//     fills it up on the left (0 when there is none), and a number that is
//     too long keeps its last digits;
//   - a text (every other kind) stands left: the pad character fills it up
//     on the right (nothing is added when there is none), and a text that is
//     too long keeps its first characters;
//   - a length of 0 takes the value as it is.
// A base-data code or document number the document does not have becomes
// the substitute character, repeated over the element's length; without a
// substitute character the element is left out.
// The characters no batch number can carry, ' and " and control characters,
// are left out of every value before it is fitted.
class BatchNumberComposer {
public:
    static QString Compose(QList<BatRuleStruct> elements, const BatchDocument& document);
    // One element's characters in the batch number.
    static QString ElementText(const BatRuleStruct& element, const BatchDocument& document);

    static QString DateText(const QDate& date, const QString& format);
    static QString ShortCode(const QString& longCode);
    // Where a serial number counts from: its format's value, 1 for 0001; never below 0, and
    // the largest qint64 for a value beyond it.
    static qint64 SerialStart(const QString& format);

    // The document the editor and the preview command show a number for:
    // today, line 1, sample values for every property, and the material's
    // own code where it is known.
    static BatchDocument SampleDocument(const QString& materialNumber = QString());
};

}
