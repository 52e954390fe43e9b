#include "LedgerPreview.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vellbatchrule {

namespace {

constexpr int kRowsATick = 2000;   // laid out between two looks at the keyboard

QString QtText(const char* text)
{
    return LedgerGridPrinter::QtText("QPrintPreviewDialog", text);
}

}

// The shown page on white paper, as wide as the view.
class LedgerPreview::Sheet : public QWidget {
public:
    explicit Sheet(LedgerPreview& preview) : QWidget(nullptr), preview_(preview) {}

    void FitTo(int width)
    {
        const QSizeF paper = preview_.layout_.paper;
        setFixedSize(width, paper.width() > 0 ? int(width * paper.height() / paper.width()) : width);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, preview_.PageImage(width()));
    }

private:
    LedgerPreview& preview_;
};

LedgerPreview::LedgerPreview(LedgerGridPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer), sheet_(new Sheet(*this)), scroll_(new QScrollArea(this)),
      where_(new QLabel(this)), progress_(new QProgressBar(this)), previous_(new QToolButton(this)),
      next_(new QToolButton(this)), print_(new QToolButton(this))
{
    setObjectName(QStringLiteral("LedgerPrintPreview"));
    setWindowTitle(QtText("Print Preview"));
    previous_->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    next_->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    previous_->setToolTip(QtText("Previous page"));
    next_->setToolTip(QtText("Next page"));
    print_->setText(QtText("Print"));
    print_->setToolTip(QtText("Print") + QStringLiteral(" (Ctrl+P)"));
    print_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    progress_->setMaximumWidth(200);
    progress_->setTextVisible(false);
    auto* bar = new QHBoxLayout;
    for (QWidget* control : {static_cast<QWidget*>(previous_), static_cast<QWidget*>(next_), static_cast<QWidget*>(where_)})
        bar->addWidget(control);
    bar->addWidget(progress_);
    bar->addStretch();
    bar->addWidget(print_);
    scroll_->setWidget(sheet_);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);
    connect(previous_, &QToolButton::clicked, this, [this] { ShowPage(page_ - 1); });
    connect(next_, &QToolButton::clicked, this, [this] { ShowPage(page_ + 1); });
    connect(print_, &QToolButton::clicked, this, [this] {
        if (printer_.PrintOut().pages > 0)
            accept();
    });
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_PageDown), [this] { ShowPage(page_ + 1); }},
        {QKeySequence(Qt::Key_PageUp), [this] { ShowPage(page_ - 1); }},
        {QKeySequence(Qt::Key_Home), [this] { ShowPage(1); }},
        {QKeySequence(Qt::Key_End), [this] { ShowPage(layout_.Pages()); }},
        {QKeySequence(Qt::CTRL | Qt::Key_P), [this] { print_->click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_W), [this] { reject(); }},
    };
    for (const auto& [key, act] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, act);
    if (const QScreen* screen = parent ? parent->screen() : nullptr)
        resize(screen->availableGeometry().size() * 0.9);
    QPrinter& setting = printer_.Setting();
    layout_ = printer_.StartLayout(setting, setting.pageLayout(), setting.resolution());
    more_.setInterval(0);
    connect(&more_, &QTimer::timeout, this, &LedgerPreview::LayOutMore);
    LayOutMore();
    scroll_->setFocus();
}

LedgerPreview::~LedgerPreview() = default;

void LedgerPreview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FitSheet();
}

void LedgerPreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FitSheet();
}

// The page as wide as the view: the preview fits the page's width.
void LedgerPreview::FitSheet()
{
    sheet_->FitTo(std::max(100, scroll_->viewport()->width() - 2 * style()->pixelMetric(QStyle::PM_LayoutLeftMargin)));
}

void LedgerPreview::LayOutMore()
{
    const int before = layout_.Pages();
    if (printer_.LayOutRows(layout_, kRowsATick))
        more_.stop();
    else
        more_.start();
    if (layout_.Pages() != before || layout_.complete)
        sheet_->update();   // the footer's page count, once known
    ShowWhere();
}

void LedgerPreview::ShowPage(int page)
{
    // A page is shown once its rows are laid out.
    page_ = std::clamp(page, 1, std::max(1, layout_.WholePages()));
    sheet_->update();
    ShowWhere();
}

void LedgerPreview::ShowWhere()
{
    const QString pages = layout_.complete ? QString::number(layout_.Pages()) : QStringLiteral("…");
    where_->setText(QStringLiteral("%1 / %2").arg(page_).arg(pages));
    progress_->setVisible(!layout_.complete);
    progress_->setRange(0, std::max(1, printer_.RowCount()));
    progress_->setValue(layout_.nextRow - 2);
    previous_->setEnabled(page_ > 1);
    next_->setEnabled(page_ < layout_.WholePages());
}

QImage LedgerPreview::PageImage(int width) const
{
    const qreal scale = layout_.paper.width() > 0 ? width / layout_.paper.width() : 1;
    QImage image(QSize(width, int(layout_.paper.height() * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    // Fonts resolve at the printer's resolution, as the layout measured them; the transform makes the page fit.
    const int resolution = printer_.Setting().resolution();
    image.setDotsPerMeterX(int(resolution / 0.0254));
    image.setDotsPerMeterY(int(resolution / 0.0254));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.translate(layout_.margin);
    printer_.PaintPage(painter, layout_, page_);
    return image;
}

}
