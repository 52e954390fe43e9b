#pragma once

#include "LedgerPrinter.h"

#include <QString>
#include <functional>

namespace vellbatchrule {

// The host suite's ledger grid as the system uses it: a table whose rows are
// asked for as they are painted, row 1 being the header, with a printer
// object that prints the rows as shown.
class Ledger {
public:
    // Hides a column while its cells can still be read.
    static constexpr int HiddenColumn = 16;

    virtual ~Ledger() = default;

    virtual int Rows() const = 0;
    virtual void SetRows(int rows) = 0;
    virtual int Cols() const = 0;
    virtual void SetCols(int cols) = 0;
    virtual void SetBodyColor(int red, int green, int blue) = 0;
    virtual void SetColumnWidth(int column, int twips) = 0;
    virtual void SetColumnFlag(int column, int flag, bool on) = 0;
    // Every row shown is asked for afresh.
    virtual void Redraw() = 0;

    virtual int CurrentRow() const = 0;
    virtual QString CellText(int row, int column) const = 0;
    virtual void SetGridFont(const LedgerPrinter::Font& font) = 0;
    virtual LedgerPrinter& Printer() = 0;

    // The row-text request: the cells of one row, each followed by "|".
    std::function<QString(int row)> rowTextRequest;
    // A row chosen with a double click or Enter.
    std::function<void()> activation;
};

}
