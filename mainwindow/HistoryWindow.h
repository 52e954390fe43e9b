#pragma once

#include "EditorTarget.h"

#include <QDialog>
#include <QMessageBox>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace vellbatchrule {

class AppConnection;
class HistoryModel;

// The changes on record of the material or group the main window points
// at, or of every rule for a user who may see every group: newest first,
// each restorable through the restore's own checks, conflict check and
// record.
class HistoryWindow : public QDialog {
    Q_OBJECT

public:
    HistoryWindow(AppConnection& connection, const EditorTarget& target, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // Whether a restore landed: the ledger shows stored rules again.
    bool Restored() const { return restored_; }

    // F1: the help, as the main window opens it.
    std::function<void()> onHelp;

private:
    void ShowScope();
    void RestoreCurrent();
    // Yes or no in a box, `preset` the default; the window has the keyboard again afterwards.
    bool Confirmed(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButton preset);
    void ApplyCaptions();
    void FitToColumns();

    AppConnection& connection_;
    EditorTarget target_;
    QLabel* subject_;
    QCheckBox* everything_;
    QTableView* table_;
    QPushButton* restore_;
    QPushButton* close_;
    std::unique_ptr<HistoryModel> model_;
    bool restored_ = false;
};

}
