#pragma once

#include "BatRuleEditor.h"
#include "BatchNumberComposer.h"
#include "KeyPreview.h"
#include "SpreadCounter.h"
#include "SpreadDryRun.h"
#include "SpreadGridModel.h"
#include "TwipsLayout.h"

#include <QDialog>
#include <QList>
#include <QRect>
#include <memory>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace vellbatchrule {

class SpreadGrid;

// The rule editor window: the rule of one material or one material group
// in its grid, the level count, the choice between the material and its
// group, and the batch options. It shows the editor's logic and drives it.
class frmBatRuleSet : public QDialog {
    Q_OBJECT
public:
    explicit frmBatRuleSet(QWidget* parent = nullptr);
    ~frmBatRuleSet() override;

    // Set by the caller before the window opens.
    qint32 ItemID = 0;
    QString ItemNumberName;
    qint32 ParentItemID = 0;
    QString ParentItemNumberName;

    // The opening steps. Errors while loading the rule or the options reach the caller.
    void Form_Load();
    // Opens the window and runs it modally until it closes.
    int ShowModal();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void CreateRuleTab(QWidget* tab);
    void CreateOptionsTab(QWidget* tab);
    void CreateNotes(QWidget* tab);

    void CreateLookAheadLines();
    void ApplyEditorTexts();
    void InitEditor();
    void ShowItem(const QString& text);
    void ShowOptions();
    void TakeOptions();

    // Key preview: every key the window's controls receive comes here first.
    bool Form_KeyPreview(QObject* receiver, const QKeyEvent& key);
    void Form_KeyDown(const QKeyEvent& event);
    bool Form_KeyPress(QObject* receiver, const QKeyEvent& event);
    bool txtLevel_KeyPress(const QKeyEvent& event);
    void txtLevel_Change();
    void udLevel_Change();
    void vsBatRule_Change(int column, int row);
    void vsBatRule_KeyPress(QChar key, bool& discard);
    void optSingleItem_Click();
    void optGroupItem_Click();
    void cmdOK_Click();
    BatRuleEditor::Conflict AskAboutTheNewerRule(const QString& reason);

    // The look-ahead lines: the sample batch number with the rule's lint,
    // and in group mode what the spread would change, counted apart.
    void ShowPreview();
    void ShowPreviewOf(const QList<BatRuleStruct>& elements);
    void ShowSpreadLine();
    void ShowElided(QLabel* label, const QString& text);

    QLabel* imgNote_ = nullptr;
    QLabel* lblNote_ = nullptr;
    QTabWidget* SSTab1_ = nullptr;
    QLabel* lblItem_ = nullptr;
    QLineEdit* txtItem_ = nullptr;
    QRadioButton* optSingleItem_ = nullptr;
    QRadioButton* optGroupItem_ = nullptr;
    QLabel* lblLevel_ = nullptr;
    QLineEdit* txtLevel_ = nullptr;
    QSpinBox* udLevel_ = nullptr;
    SpreadGridModel cells_;   // the rule grid vsBatRule shows
    SpreadGrid* vsBatRule_ = nullptr;
    QFrame* Picture1_ = nullptr;
    QLabel* notes_[5] = {};   // Label2, Label3, Label4, Label5, Label1: notes 1 to 5
    QCheckBox* ckItemIsTop_ = nullptr;
    QCheckBox* ckBRManual_ = nullptr;
    QCheckBox* chkAutoGetBat_ = nullptr;
    QCheckBox* ckBRLackManual_ = nullptr;
    QCheckBox* ckBRRepeatEcho_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QLabel* lblPreview_ = nullptr;
    QLabel* lblSpread_ = nullptr;

    TwipsLayout layout_{this};
    std::unique_ptr<KeyPreview> keyPreview_;   // from the load on
    BatRuleEditor editor_;
    BatchDocument sampleDocument_;
    QString materialNumber_;
    SpreadCounter spreadCounter_;   // last: a count still running ends before the window's parts go
};

}
