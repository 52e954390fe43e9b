#pragma once

#include "LedgerPrinter.h"

#include <QString>

namespace vellbatchrule {

class Ledger;

// Prepares the ledger for printing: the language's fonts, a titled page
// header with the print date and a footer with the page numbers. The
// ledger's printer then prints the rows as the ledger shows them.
class BatRulePrint {
public:
    void SetBRPrintLedger(Ledger* ledger) { ledger_ = ledger; }
    void SetBRPrintMasterTitle(const QString& title) { masterTitle_ = title; }
    void SetBRPrintSlaveTitle(const QString& title) { slaveTitle_ = title; }

    // Sets absolute values only, so printing twice lays out the same pages.
    // A failing font lookup or control passes to the caller.
    void SetLdgLayout();

    // The third header line's left part: the group printed, by its tree text.
    static QString GroupTitle(const QString& groupText);

    // The ledger's own font, which printing sets: the language's font at size 9.
    static LedgerPrinter::Font GridFont();

private:
    void SetPrintHeader();
    void SetPrintFooter();

    Ledger* ledger_ = nullptr;
    QString masterTitle_;
    QString slaveTitle_;
};

}
