#pragma once

#include "LedgerPrinter.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <functional>
#include <memory>

class QFontMetricsF;
class QPageLayout;
class QPagedPaintDevice;
class QPaintDevice;
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
    // Told as a printout goes on: rows laid out (no total yet), then pages
    // painted of all. False cancels: nothing more is painted, a PDF file is
    // not written, a printer's job is aborted.
    using Progress = std::function<bool(int done, int total)>;

    LedgerGridPrinter(LedgerGrid& grid, std::shared_ptr<SharedPrinter> setting);

    // A text of Qt's own print dialogs, which the session's language has already.
    static QString QtText(const char* context, const char* text);

    // With no printer chosen yet, the print dialog chooses one first; a
    // file that exists is replaced only when the user says so. Shows its
    // progress in a box that can cancel it: a cancelled printout prints no
    // pages and leaves no file.
    Printed PrintOut() override;
    // Opens large, the page fitting its width.
    void PrintPreview() override;
    // Paper, orientation and margins, kept for the printouts that follow.
    void PrinterSetup() override;
    // The same pages, into a PDF file, on the setting's paper; answers the
    // page count. The file is replaced only when all of it was written; a
    // failure throws HostError and leaves what was there.
    int PrintToPdf(const QString& file, const Progress& progress = {});

    // Paints every page on the printer's device; answers the page count. A
    // device that cannot be painted on (a file that cannot be written) throws HostError.
    int Paint(QPrinter* printer, const Progress& progress = {});

    QPrinter& Setting() const { return setting_->Get(); }
    // The ledger's rows below its captions: what a printout lays out.
    int RowCount() const;


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
        QPaintDevice* device = nullptr;   // measured on; it outlives the layout
        QPointF margin;            // the page's paint area within its paper
        QSizeF paper;
        qreal body = 0, used = 0;  // the rows' room on a page, and what the current page used of it
        int nextRow = 2;           // the first ledger row not laid out yet
        bool complete = false;     // every row laid out: the page count is known
        int Pages() const { return int(pageFirstRows.size()); }
        // Those whose every row is laid out: all once complete, else all but the one being filled.
        int WholePages() const { return complete ? Pages() : Pages() - 1; }
        // A row of so many lines, with the space around them.
        qreal RowHeight(int lines) const { return lineHeight * (lines + 0.5); }
    };

    // A printout laid out a part at a time, as a preview shows it: the fonts,
    // the columns and the captions on the device, then the rows in chunks.
    Layout StartLayout(QPaintDevice& device, const QPageLayout& page, int resolution) const;
    // Up to `rows` more rows: answers whether every row is laid out now.
    bool LayOutRows(Layout& layout, int rows) const;
    // A page laid out already; before the count is known, its place in the footer shows "…".
    void PaintPage(QPainter& painter, const Layout& layout, int page) const;
    std::shared_ptr<SharedPrinter> Shared() const { return setting_; }

private:
    static QString Destination(const QPrinter& printer);
    bool ChoosePrinter();
    int PaintOn(QPagedPaintDevice& device, int resolution, const QString& name, const Progress& progress);
    bool MayReplace(const QString& file) const;

    qreal PaintLines(QPainter& painter, const Layout& layout, bool header, qreal top, int page) const;
    void PaintRow(QPainter& painter, const Layout& layout, int ledgerRow, qreal top, bool isHeader) const;
    // How the cell's text wraps in its width: at words, or anywhere when a word is wider.
    static int WrapOf(const QFontMetricsF& metrics, const QString& text, qreal width);
    static int LinesOf(const QFontMetricsF& metrics, const QString& text, qreal width);
    QFont RowFont(bool isHeader) const;
    static const QFont& LineFont(const Layout& layout, bool header, int line);
    QString Expanded(QString text, int page, const QString& pages) const;
    int LinesOfRow(const Layout& layout, const QFontMetricsF& metrics, int ledgerRow) const;

    LedgerGrid& grid_;
    std::shared_ptr<SharedPrinter> setting_;
};

}
