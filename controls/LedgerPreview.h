#pragma once

#include "LedgerGridPrinter.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QScrollArea;
class QToolButton;

namespace vellbatchrule {

// The ledger's print preview: a page at a time, painted when shown, while
// the rows are laid out a chunk at a time behind it, so that it opens on its
// first page at once and a group of any size costs the memory of a page.
// Page Up and Page Down (or the arrows of its bar) turn the pages, Home and
// End go to the first and the last; Ctrl+P prints, Esc and Ctrl+W close.
class LedgerPreview : public QDialog {
    Q_OBJECT

public:
    LedgerPreview(LedgerGridPrinter& printer, QWidget* parent = nullptr);
    ~LedgerPreview() override;

    int Page() const { return page_; }
    // The pages known so far; all of them once Complete.
    int Pages() const { return layout_.Pages(); }
    bool Complete() const { return layout_.complete; }
    // The page as shown: painted on a sheet of the view's width.
    QImage PageImage(int width) const;

    void ShowPage(int page);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class Sheet;
    void LayOutMore();
    void FitSheet();
    void ShowWhere();

    LedgerGridPrinter& printer_;
    LedgerGridPrinter::Layout layout_;
    int page_ = 1;
    QTimer more_;
    Sheet* sheet_;
    QScrollArea* scroll_;
    QLabel* where_;
    QProgressBar* progress_;
    QToolButton *previous_, *next_, *print_;
};

}
