#include "LedgerGridPrinter.h"

#include "FocusReturn.h"
#include "HostError.h"
#include "HostErrors.h"
#include "LedgerFont.h"
#include "LedgerGrid.h"
#include "LedgerPreview.h"
#include "OutputFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>

#include <memory>

namespace vellbatchrule {

namespace {

constexpr qreal kRowSpacing = 1.5;   // a row's height in lines of its font
constexpr int kPdfResolution = 1200;  // as a high-resolution printer prints
constexpr int kRowsAtATime = 2000;    // laid out between two looks at the progress
const QString kSource = QStringLiteral("LedgerPrinter");


const Qt::Alignment kPartAlignment[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};

// The place of each "|" part of a line: the first at the left, the last at
// the right, any between centred; a line of one part is centred.
Qt::Alignment AlignmentOfPart(qsizetype part, qsizetype parts)
{
    if (parts == 1)
        return Qt::AlignHCenter;
    return part == 0 ? kPartAlignment[0] : part == parts - 1 ? kPartAlignment[2] : kPartAlignment[1];
}

}

QString LedgerGridPrinter::QtText(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text);
}

QPrinter& SharedPrinter::Get()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

LedgerGridPrinter::LedgerGridPrinter(LedgerGrid& grid, std::shared_ptr<SharedPrinter> setting)
    : grid_(grid), setting_(setting ? std::move(setting) : std::make_shared<SharedPrinter>())
{
}

LedgerPrinter::Printed LedgerGridPrinter::PrintOut()
{
    if (Destination(Setting()).isEmpty() && !ChoosePrinter())
        return {};
    const QString file = Setting().outputFileName();
    if (!MayReplace(file))
        return {};
    QProgressDialog shown(QtText("QPrintPreviewDialog", "Print"), QtText("QPlatformTheme", "Cancel"), 0, 0, &grid_);
    shown.setObjectName(QStringLiteral("LedgerPrintProgress"));
    shown.setWindowModality(Qt::WindowModal);
    shown.setMinimumDuration(500);
    const int pages = Paint(&Setting(), [&shown](int done, int total) {
        shown.setMaximum(total);
        shown.setValue(done);
        QCoreApplication::processEvents();
        return !shown.wasCanceled();
    });
    if (pages == 0 && !file.isEmpty())
        QFile::remove(file);   // what a cancelled printout began
    return {pages, Destination(Setting())};
}

bool LedgerGridPrinter::MayReplace(const QString& file) const
{
    if (file.isEmpty() || !QFileInfo::exists(file))
        return true;
    return QMessageBox::question(&grid_, QtText("QPrintPreviewDialog", "Print"),
                                 QtText("QFileDialog", "%1 already exists.\nDo you want to replace it?").arg(file),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

bool LedgerGridPrinter::ChoosePrinter()
{
    QPrintDialog choose(&Setting(), &grid_);
    choose.setObjectName(QStringLiteral("LedgerPrintDialog"));
    FocusReturn::When(&choose);
    return choose.exec() == QDialog::Accepted;
}

void LedgerGridPrinter::PrintPreview()
{
    LedgerPreview preview(*this, &grid_);
    FocusReturn::When(&preview);
    preview.exec();
}

void LedgerGridPrinter::PrinterSetup()
{
    QPageSetupDialog setup(&Setting(), &grid_);
    setup.setObjectName(QStringLiteral("LedgerPrinterSetup"));
    FocusReturn::When(&setup);
    // It prints nothing: its button keeps the settings.
    if (auto* buttons = setup.findChild<QDialogButtonBox*>())
        if (QPushButton* keep = buttons->button(QDialogButtonBox::Ok))
            keep->setText(QtText("QPlatformTheme", "Apply"));
    setup.exec();
}

int LedgerGridPrinter::PrintToPdf(const QString& file, const Progress& progress)
{
    OutputFile output(file);
    if (!output.Open())
        throw HostError(HostErrors::FileAccessError,
                        QStringLiteral("Cannot print to '%1': %2").arg(file, output.ErrorString()), kSource);
    QPdfWriter pdf(&output.Device());
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(Setting().pageLayout());
    const int pages = PaintOn(pdf, pdf.resolution(), file, progress);
    if (pages == 0)
        return 0;   // cancelled: the file stays as it was
    if (!output.Commit())
        throw HostError(HostErrors::FileAccessError,
                        QStringLiteral("Cannot write '%1': %2").arg(file, output.ErrorString()), kSource);
    return pages;
}

int LedgerGridPrinter::RowCount() const
{
    return grid_.Rows() - 1;
}

int LedgerGridPrinter::Paint(QPrinter* printer, const Progress& progress)
{
    return PaintOn(*printer, printer->resolution(), Destination(*printer), progress);
}

QString LedgerGridPrinter::Destination(const QPrinter& printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

int LedgerGridPrinter::PaintOn(QPagedPaintDevice& device, int resolution, const QString& name, const Progress& progress)
{
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&device))
        throw HostError(HostErrors::FileAccessError, QStringLiteral("Cannot print to '%1'").arg(name), kSource);
    painter->setRenderHint(QPainter::TextAntialiasing);
    const auto goOn = [&progress](int done, int total) { return !progress || progress(done, total); };
    Layout layout = StartLayout(device, device.pageLayout(), resolution);
    bool cancelled = false;
    while (!cancelled && !LayOutRows(layout, kRowsAtATime))
        cancelled = !goOn(layout.nextRow - 2, 0);
    for (int page = 1; !cancelled && page <= layout.Pages(); ++page) {
        if (page > 1)
            device.newPage();
        PaintPage(*painter, layout, page);
        cancelled = !goOn(page, layout.Pages());
    }
    if (auto* printer = dynamic_cast<QPrinter*>(&device); cancelled && printer)
        printer->abort();
    // The PDF is written out as the painter ends, where memory may run out.
    // A painter whose end failed would end again as it is destroyed, inside
    // a destructor that cannot pass the failure on: it is let go instead.
    try {
        painter->end();
    } catch (...) {
        [[maybe_unused]] QPainter* unfinished = painter.release();
        throw;
    }
    return cancelled ? 0 : layout.Pages();
}

LedgerGridPrinter::Layout LedgerGridPrinter::StartLayout(QPaintDevice& device, const QPageLayout& page,
                                                         int resolution) const
{
    Layout layout;
    const QRect paint = page.paintRectPixels(resolution);
    layout.page = QRectF(QPointF(0, 0), paint.size());
    layout.margin = paint.topLeft();
    layout.paper = page.fullRectPixels(resolution).size();
    for (const bool header : {true, false})
        for (int line = 0; line < LineCount; ++line) {
            const Line& entry = header ? Header(line) : Footer(line);
            layout.lines.append(PrintableFont(LedgerFont(entry.font)));
            if (!entry.text.isEmpty())
                (header ? layout.headerHeight : layout.footerHeight) +=
                    QFontMetricsF(layout.lines.last(), &device).lineSpacing();
        }
    layout.plain = RowFont(false);
    layout.bold = RowFont(true);
    layout.lineHeight = QFontMetricsF(layout.plain, &device).height() * (kRowSpacing - 0.5);
    // The columns keep their proportions on screen and shrink together to the page width.
    qreal total = 0;
    for (int column = 0; column < grid_.Cols(); ++column)
        if (!grid_.isColumnHidden(column)) {
            layout.columns.append(column);
            layout.widths.append(std::max(grid_.columnWidth(column), 1));
            total += layout.widths.last();
        }
    const qreal scale = total > 0 ? layout.page.width() / total : 1;
    for (qreal& width : layout.widths)
        width *= std::min(scale, qreal(resolution) / grid_.logicalDpiX());
    layout.captionLines = LinesOfRow(layout, QFontMetricsF(layout.bold, &device), 1);
    layout.body = layout.page.height() - layout.headerHeight - layout.footerHeight
                  - layout.RowHeight(layout.captionLines) - layout.lineHeight;
    layout.pageFirstRows = {2};
        layout.complete = grid_.Rows() < 2;
    layout.device = &device;
    return layout;
}

// Each row as high as its longest text needs: nothing is cut, and a row never splits over two pages.
bool LedgerGridPrinter::LayOutRows(Layout& layout, int rows) const
{
    const QFontMetricsF metrics(layout.plain, layout.device);
    for (const int end = std::min(grid_.Rows() + 1, layout.nextRow + rows); layout.nextRow < end; ++layout.nextRow) {
        const int lines = LinesOfRow(layout, metrics, layout.nextRow);
        layout.rowLines.append(quint16(std::min(lines, 0xffff)));
        if (layout.used > 0 && layout.used + layout.RowHeight(lines) > layout.body) {
            layout.pageFirstRows.append(layout.nextRow);
            layout.used = 0;
        }
        layout.used += layout.RowHeight(lines);
    }
    layout.complete = layout.nextRow > grid_.Rows();
    return layout.complete;
}

int LedgerGridPrinter::LinesOfRow(const Layout& layout, const QFontMetricsF& metrics, int ledgerRow) const
{
    const QStringList cells = grid_.Model().Cells(ledgerRow);
    const qreal padding = metrics.averageCharWidth();
    int lines = 1;
    for (qsizetype i = 0; i < layout.columns.size(); ++i)
        lines = std::max(lines, LinesOf(metrics, cells.value(layout.columns[i]), layout.widths[i] - padding));
    return lines;
}

void LedgerGridPrinter::PaintPage(QPainter& painter, const Layout& layout, int page) const
{
    qreal top = PaintLines(painter, layout, true, 0, page) + layout.lineHeight / 2;
    PaintRow(painter, layout, 1, top, true);
    top += layout.RowHeight(layout.captionLines);
    const int first = layout.pageFirstRows[page - 1];
    const int end = page < layout.Pages() ? layout.pageFirstRows[page] : grid_.Rows() + 1;
    for (int row = first; row < end; ++row) {
        PaintRow(painter, layout, row, top, false);
        top += layout.RowHeight(layout.rowLines[row - 2]);
    }
    PaintLines(painter, layout, false, layout.page.height() - layout.footerHeight, page);
}

qreal LedgerGridPrinter::PaintLines(QPainter& painter, const Layout& layout, bool header, qreal top, int page) const
{
    for (int line = 0; line < LineCount; ++line) {
        const Line& entry = header ? Header(line) : Footer(line);
        if (entry.text.isEmpty())
            continue;
        const QFont& font = LineFont(layout, header, line);
        painter.setFont(font);
        const qreal height = QFontMetricsF(font, painter.device()).lineSpacing();
        const QStringList parts = Expanded(entry.text, page, layout.complete ? QString::number(layout.Pages())
                                                                             : QStringLiteral("…"))
                                      .split(QLatin1Char('|'));
        for (qsizetype part = 0; part < parts.size(); ++part)
            painter.drawText(QRectF(0, top, layout.page.width(), height), AlignmentOfPart(part, parts.size()) | Qt::AlignVCenter,
                             parts[part]);
        top += height;
    }
    return top;
}

QFont LedgerGridPrinter::RowFont(bool isHeader) const
{
    QFont font = PrintableFont(grid_.font());
    font.setBold(isHeader);
    return font;
}

const QFont& LedgerGridPrinter::LineFont(const Layout& layout, bool header, int line)
{
    return layout.lines[(header ? 0 : LineCount) + line];
}

int LedgerGridPrinter::WrapOf(const QFontMetricsF& metrics, const QString& text, qreal width)
{
    const QRectF words = metrics.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, text);
    return words.width() <= width ? Qt::TextWordWrap : Qt::TextWrapAnywhere;
}

int LedgerGridPrinter::LinesOf(const QFontMetricsF& metrics, const QString& text, qreal width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return 1;   // most cells: measured once, at no cost of wrapping
    const QRectF wrapped = metrics.boundingRect(QRectF(0, 0, width, 1e9), WrapOf(metrics, text, width), text);
    return std::max(1, int(std::lround(wrapped.height() / metrics.height())));
}

void LedgerGridPrinter::PaintRow(QPainter& painter, const Layout& layout, int ledgerRow, qreal top, bool isHeader) const
{
    const QFont& font = isHeader ? layout.bold : layout.plain;
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QStringList cells = grid_.Model().Cells(ledgerRow);
    const int lines = isHeader ? layout.captionLines : layout.rowLines[ledgerRow - 2];
    const qreal height = layout.RowHeight(lines);
    const qreal padding = metrics.averageCharWidth() / 2;
    qreal left = 0;
    for (qsizetype i = 0; i < layout.columns.size(); ++i) {
        const QString text = cells.value(layout.columns[i]);
        const QRectF cell(left + padding, top, layout.widths[i] - 2 * padding, height);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | WrapOf(metrics, text, cell.width()), text);
        left += layout.widths[i];
    }
    painter.setPen(isHeader ? QPen(Qt::black, 0) : QPen(Qt::lightGray, 0));
    painter.drawLine(QPointF(0, top + height), QPointF(left, top + height));
    painter.setPen(QPen(Qt::black));
}

QString LedgerGridPrinter::Expanded(QString text, int page, const QString& pages) const
{
    return text.replace(QStringLiteral("&[日期]"), QDate::currentDate().toString(Qt::ISODate))
        .replace(QStringLiteral("&[总页]"), pages)
        .replace(QStringLiteral("&[页]"), QString::number(page));
}

}
