#pragma once

#include "Ledger.h"
#include "LedgerGridModel.h"
#include "LedgerGridPrinter.h"

#include <QTableView>
#include <memory>

class QPrinter;

namespace vellbatchrule {

// The host suite's ledger grid: a table whose rows are asked for as they are
// painted (row 1 is the header), with a printer object that prints them.
// Two grids may share one printer setting.
class LedgerGrid : public QTableView, public Ledger {
public:
    explicit LedgerGrid(QWidget* parent = nullptr, std::shared_ptr<SharedPrinter> printer = nullptr);
    ~LedgerGrid() override;

    int Rows() const override { return model_.Rows(); }
    // Both keep the current row where it still exists: a refresh leaves the user on their row.
    void SetRows(int rows) override;
    int Cols() const override { return model_.Cols(); }
    void SetCols(int cols) override { model_.SetCols(cols); }
    void SetBodyColor(int red, int green, int blue) override;
    void SetColumnWidth(int column, int twips) override;
    void SetColumnFlag(int column, int flag, bool on) override;
    void Redraw() override;

    // 1 while no body row is current (the header was clicked last, or nothing yet).
    int CurrentRow() const override;
    // Makes a body row (2 for the first) current, in its first shown column, at the top of the view.
    void ShowRow(int row);
    QString CellText(int row, int column) const override;
    void SetGridFont(const LedgerPrinter::Font& font) override;
    LedgerPrinter& Printer() override { return printer_; }

    const LedgerGridModel& Model() const { return model_; }
    QPrinter& PrinterSetting() const { return printer_.Setting(); }
    std::shared_ptr<SharedPrinter> SharedPrinterSetting() const { return printer_.Shared(); }

protected:
    void KeepingCurrentRow(const std::function<void()>& reset);
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    LedgerGridModel model_;
    LedgerGridPrinter printer_;
};

}
