#pragma once

#include "LedgerPrinter.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <memory>

class QFontMetricsF;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace vellbatchrule {

class LedgerGrid;

// The printer, paper and orientation that grids share. The printer is made
// when first asked for: making it asks the print system, which a window's
// start need not wait on.
class SharedPrinter {
public:
    QPrinter& Get();

private:
    std::unique_ptr<QPrinter> printer_;
};

// The ledger grid's printer object. It lays out pages of the rows as the grid
// shows them, every page under the header lines and above the footer lines,
// and paints them one at a time: on the printer, in the preview and into a
// PDF file alike. Grids made with the same setting share printer, paper and
// orientation.
class LedgerGridPrinter : public LedgerPrinter {
public:
    LedgerGridPrinter(LedgerGrid& grid, std::shared_ptr<SharedPrinter> setting);

    // With no printer chosen yet, the print dialog chooses one first.
    Printed PrintOut() override;
    // Opens large, the page fitting its width.
    void PrintPreview() override;
    void PrinterSetup() override;
    // The same pages, into a PDF file, on the setting's paper; answers the
    // page count. The file is replaced only when all of it was written; a
    // failure throws HostError and leaves what was there.
    int PrintToPdf(const QString& file);

    // Paints every page on the printer's device; answers the page count. A
    // device that cannot be painted on (a file that cannot be written) throws HostError.
    int Paint(QPrinter* printer);

    QPrinter& Setting() const { return setting_->Get(); }
    std::shared_ptr<SharedPrinter> Shared() const { return setting_; }

private:
    struct Layout {
        QRectF page;
        QFont plain, bold;         // of the rows and of the captions: found once, not per row
        QList<QFont> lines;        // of the header and footer lines, by line, header first
        QList<int> columns;        // the grid's shown columns, in order
        QList<qreal> widths;       // their widths on the page
        qreal headerHeight = 0, footerHeight = 0, lineHeight = 0;
        int captionLines = 1;      // of the column captions' row
        QList<quint16> rowLines;   // of each ledger row from 2 on: a text that does not fit wraps
        QList<int> pageFirstRows;  // the ledger row each page starts with
        int pages = 1;
        // A row of so many lines, with the space around them.
        qreal RowHeight(int lines) const { return lineHeight * (lines + 0.5); }
    };
    static QString Destination(const QPrinter& printer);
    bool ChoosePrinter();
    int PaintOn(QPagedPaintDevice& device, int resolution, const QString& name);
    Layout LayOut(QPainter& painter, QPagedPaintDevice& device, int resolution) const;
    void PaintPage(QPainter& painter, const Layout& layout, int page) const;
    qreal PaintLines(QPainter& painter, const Layout& layout, bool header, qreal top, int page) const;
    void PaintRow(QPainter& painter, const Layout& layout, int ledgerRow, qreal top, bool isHeader) const;
    // How the cell's text wraps in its width: at words, or anywhere when a word is wider.
    static int WrapOf(const QFontMetricsF& metrics, const QString& text, qreal width);
    static int LinesOf(const QFontMetricsF& metrics, const QString& text, qreal width);
    QFont RowFont(bool isHeader) const;
    static const QFont& LineFont(const Layout& layout, bool header, int line);
    QString Expanded(QString text, int page, int pages) const;

    LedgerGrid& grid_;
    std::shared_ptr<SharedPrinter> setting_;
};

}
