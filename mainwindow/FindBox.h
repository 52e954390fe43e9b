#pragma once

#include "MaterialFinder.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QTreeView;

namespace vellbatchrule {

class FoundItemsModel;

// 搜索: a box beside the main window that lists, as the text is typed, the
// groups and materials whose number or name holds it anywhere; Enter or a
// double click goes to the chosen one, F3 to the next. It stays open while
// the user works in the main window, and as a tool window it shares the
// main window's shortcuts (F3, F1, Ctrl+M).
class FindBox : public QDialog {
    Q_OBJECT

public:
    explicit FindBox(QWidget* mainWindow);
    ~FindBox() override;

    // Shows the box with the keyboard in its text, the text selected.
    void Open();
    // Goes to the match after the current one, the first after the last.
    void Next();
    bool HasMatches() const;

    // Shows the match in the main window; false when it cannot be shown
    // there (its group is not in the tree).
    std::function<bool(const MaterialFinder::Match&)> goTo;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Typed();
    void Show(const MaterialFinder::Answer& answer);
    void GoToCurrent();
    void ApplyCaptions();

    QLabel* label_;
    QLineEdit* text_;
    QTreeView* list_;
    QLabel* status_;
    FoundItemsModel* model_;
    MaterialFinder finder_;
};

}
