#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace vellbatchrule {

// Gives the keyboard back to the control that had it once a window that
// took it (a preview, the help, a dialog) closes: without a window manager
// nobody else does, and F1 or Alt+F would find no window.
class FocusReturn : public QObject {
    Q_OBJECT

public:
    // From when `taker` hides, the control focused now has the keyboard again.
    static void When(QWidget* taker);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FocusReturn(QWidget* taker);
    QPointer<QWidget> control_;
};

}
