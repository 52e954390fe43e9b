#pragma once

#include "VellBatchRuleExport.h"

#include "RuleAdmin.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace vellbatchrule {

// Issues the batch numbers of one material from its stored rule, composed
// as the rule preview composes them, never the same number twice. The
// serial counts per material and per rest of the number: it starts again
// at its format's value whenever any other element's text differs (a new
// day for yymmdd, another supplier code). Every number issued is kept in
// the table ICBatchNoIssued, and a serial passes over the numbers issued
// before, whatever rule or element values gave them; a rule without a serial
// gives its one number each time. The counters live in ICBatchNoSerial;
// where ICBatchNoIssuedTrace is there, each number's issue is kept with
// when, for whom and from which rule version. `vell-batchrule batch init`
// creates these tables, and nothing else is written. A call that fails
// answers its Failure: the reason's number and text, in the session's
// language; no box opens.
//
// An issuer belongs to the thread that opened it and holds a session of its
// own; it reads the material's rule once, when opened.
class VELLBATCHRULE_EXPORT BatchNumberIssuer {
public:
    // What the document gives the elements; the date is today when not
    // given, the line 1, and a property not given is one the document does
    // not have (its element takes the substitute character). The material's
    // own code is the material's number.
    using Document = RuleAdmin::PreviewDocument;

    struct Issued {
        QStringList numbers;
        QString note;   // once, for a rule without a serial: its numbers repeat; else empty
    };

    // The material's issuer, or why there is none (a material the user may
    // not see, one without batches or without a rule).
    static Result<std::unique_ptr<BatchNumberIssuer>> Open(qint32 itemId);
    ~BatchNumberIssuer();

    // Takes `count` numbers (1 to 100,000) in one unit of work: all of them
    // or, after an overflow or any failure, none.
    Result<Issued> Issue(const Document& document, int count = 1);
    // The number Issue would answer first, taking nothing.
    Result<QString> Peek(const Document& document);

    // Where a number issued for a material came from: when and for whom it
    // was issued, from which version of the material's rule (as rule show
    // prints it), and the rule write on record that set that version.
    struct Origin {
        QString time;       // by the database's clock; empty when the issue is not on record
        int userId = 0;
        QString userName;   // as the session's property string gave it; may be empty
        QString version;    // empty when the issue is not on record
        std::optional<RuleAdmin::HistoryEntry> setBy;   // none when no write on record set that version
        QStringList text;   // the issue, then who set its rule version, in the session's language
    };
    // The origin of `number`, or why there is none: a material the user may
    // not see, or a number never issued for it. Nothing is written.
    static Result<Origin> Trace(qint32 itemId, const QString& number);

    // Creates the component's own tables where missing (the counters, the
    // issued numbers and their trace, the rule history): true, or false when all are there.
    static Result<bool> CreateCounterTable();

    static constexpr int MaxCount = 100000;

    BatchNumberIssuer(const BatchNumberIssuer&) = delete;
    BatchNumberIssuer& operator=(const BatchNumberIssuer&) = delete;

private:
    struct Impl;
    explicit BatchNumberIssuer(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}
