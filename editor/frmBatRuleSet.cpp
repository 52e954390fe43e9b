#include "frmBatRuleSet.h"

#include "BatchPreview.h"
#include "GLB.h"
#include "HostError.h"
#include "MMTS.h"
#include "MParse.h"
#include "SpreadConsole.h"
#include "SpreadGrid.h"
#include "Twips.h"
#include "VirtualKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QInputMethodEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>
#include <functional>
#include <optional>

namespace vellbatchrule {

namespace {

constexpr int kMaxLevels = 8;
// The window's inner area as designed, 6960 × 8190 twips, grown by the look-ahead
// lines below the tabs, so that the last of them keeps the buttons' bottom margin.
constexpr int kInnerWidth = 6960;
constexpr int kInnerHeight = 8310;

// The small note picture beside the window's note: 17 × 16, 16 colours.
const char* const kNotePicture[] = {
    "17 16 6 1",
    "  c None",
    "k c #000000",
    "w c #FFFFFF",
    "n c #000080",
    "g c #808080",
    "r c #FF0000",
    "      rr         ",
    "     rrrr        ",
    " kkkkkrrkkkkkk   ",
    " kwwwwwkwwwwwkg  ",
    " kwwwwwwwwwwwkg  ",
    " kwnnnnnnnnnwkg  ",
    " kwwwwwwwwwwwkg  ",
    " kwnnnnnnnnnwkg  ",
    " kwwwwwwwwwwwkg  ",
    " kwnnnnnnnnnwkg  ",
    " kwwwwwwwwwwwkg  ",
    " kwnnnnnwwwwwkg  ",
    " kwwwwwwwwwwwkg  ",
    " kkkkkkkkkkkkkg  ",
    "  gggggggggggggg ",
    "                 ",
};

// A check box shows a stored state: 0 clear, 1 ticked, 2 grey.
Qt::CheckState CheckStateOf(int state)
{
    return state == 2 ? Qt::PartiallyChecked : state != 0 ? Qt::Checked : Qt::Unchecked;
}

int StateOf(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Checked:
        break;
    }
    return 1;
}

void ShowState(QCheckBox* box, int state)
{
    box->setCheckState(CheckStateOf(state));
    box->setTristate(false);   // the user makes only clear and ticked
}

// The colour of a line that reports an error: a dark red that reads on the window's grey.
QColor ErrorColour()
{
    return QColor(176, 0, 0);
}

bool IsQuote(const QString& text)
{
    return text == QLatin1String("'") || text == QLatin1String("\"");
}

}

frmBatRuleSet::frmBatRuleSet(QWidget* parent)
    : QDialog(parent), vsBatRule_(new SpreadGrid), editor_(cells_)
{
    setObjectName(QStringLiteral("frmBatRuleSet"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFont(QFont(QStringLiteral("宋体"), 9));
    CreateControls();
    connect(&spreadCounter_, &SpreadCounter::Counted, this, &frmBatRuleSet::ShowSpreadLine);
    editor_.onConflict = [this](const QString& reason, const QString&) { return AskAboutTheNewerRule(reason); };
    editor_.historySource = QStringLiteral("editor");
}

// Another seat changed the rule since the editor read it: the user decides
// before anything is written.
BatRuleEditor::Conflict frmBatRuleSet::AskAboutTheNewerRule(const QString& reason)
{
    QMessageBox ask(QMessageBox::Warning, MParse::TranslateText("砚川提示"),
                    reason + MParse::TranslateText("。您要怎样处理？"), QMessageBox::NoButton, this);
    QPushButton* reload = ask.addButton(MParse::TranslateText("重新载入(&R)"), QMessageBox::ResetRole);
    QPushButton* overwrite = ask.addButton(MParse::TranslateText("仍然覆盖(&O)"), QMessageBox::DestructiveRole);
    QPushButton* back = ask.addButton(MParse::TranslateText("返回编辑(&B)"), QMessageBox::RejectRole);
    ask.setDefaultButton(back);
    ask.setEscapeButton(back);
    ask.exec();
    if (ask.clickedButton() == reload)
        return BatRuleEditor::Conflict::Reload;
    return ask.clickedButton() == overwrite ? BatRuleEditor::Conflict::Overwrite : BatRuleEditor::Conflict::Back;
}

frmBatRuleSet::~frmBatRuleSet() = default;

void frmBatRuleSet::CreateControls()
{
    setFixedSize(layout_.Px(QRect(0, 0, kInnerWidth, kInnerHeight)).size());
    imgNote_ = layout_.Place<QLabel>(this, "imgNote", {30, 180, 255, 240});
    imgNote_->setPixmap(QPixmap(kNotePicture));
    imgNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblNote_ = layout_.Place<QLabel>(this, "lblNote", {315, 90, 6375, 720});
    lblNote_->setWordWrap(true);
    lblNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    SSTab1_ = layout_.Place<QTabWidget>(this, "SSTab1", {225, 915, 6495, 6720});
    auto* ruleTab = new QWidget;
    ruleTab->setObjectName(QStringLiteral("SSTab1Tab1"));
    auto* optionsTab = new QWidget;
    optionsTab->setObjectName(QStringLiteral("SSTab1Tab2"));
    SSTab1_->addTab(ruleTab, QString());
    SSTab1_->addTab(optionsTab, QString());
    CreateRuleTab(ruleTab);
    CreateOptionsTab(optionsTab);
    SSTab1_->setCurrentIndex(0);

    cmdOK_ = layout_.Place<QPushButton>(this, "cmdOK", {4260, 7740, 1050, 360});
    cmdCancel_ = layout_.Place<QPushButton>(this, "cmdCancel", {5610, 7740, 1050, 360});
    // Enter and Esc have no binding of their own.
    for (QPushButton* button : {cmdOK_, cmdCancel_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(cmdOK_, &QPushButton::clicked, this, &frmBatRuleSet::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    CreateLookAheadLines();
}

// The tab page is full down to its notes, so the lines sit below the tabs,
// left of the buttons: under the grid, and in sight of the option that
// changes the spread.
void frmBatRuleSet::CreateLookAheadLines()
{
    lblPreview_ = layout_.Place<QLabel>(this, "lblPreview", {225, 7680, 3960, 270});
    lblSpread_ = layout_.Place<QLabel>(this, "lblSpread", {225, 7950, 3960, 270});
    for (QLabel* line : {lblPreview_, lblSpread_})
        line->setTextFormat(Qt::PlainText);
    lblSpread_->setVisible(false);
    connect(ckItemIsTop_, &QCheckBox::stateChanged, this, &frmBatRuleSet::ShowSpreadLine);
}

void frmBatRuleSet::CreateRuleTab(QWidget* tab)
{
    lblItem_ = layout_.Place<QLabel>(tab, "lblItem", {135, 480, 1515, 285});
    lblItem_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtItem_ = layout_.Place<QLineEdit>(tab, "txtItem", {1785, 435, 2100, 270});
    txtItem_->setReadOnly(true);
    // Reached by Tab, to select and copy a name longer than the box.
    txtItem_->setFocusPolicy(Qt::StrongFocus);
    lblItem_->setBuddy(txtItem_);
    QPalette pale = txtItem_->palette();
    pale.setColor(QPalette::Base, QColor(254, 254, 228));
    txtItem_->setPalette(pale);
    optSingleItem_ = layout_.Place<QRadioButton>(tab, "optSingleItem", {3930, 465, 2400, 255});
    optSingleItem_->setChecked(true);
    optGroupItem_ = layout_.Place<QRadioButton>(tab, "optGroupItem", {3930, 795, 2400, 255});
    connect(optSingleItem_, &QRadioButton::clicked, this, &frmBatRuleSet::optSingleItem_Click);
    connect(optGroupItem_, &QRadioButton::clicked, this, &frmBatRuleSet::optGroupItem_Click);

    lblLevel_ = layout_.Place<QLabel>(tab, "lblLevel", {135, 840, 1515, 255});
    lblLevel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtLevel_ = layout_.Place<QLineEdit>(tab, "txtLevel", {1785, 780, 945, 270});
    lblLevel_->setBuddy(txtLevel_);   // a screen reader names the box by its label
    txtLevel_->setMaxLength(1);
    txtLevel_->setValidator(new QIntValidator(1, kMaxLevels, txtLevel_));
    txtLevel_->setText(QStringLiteral("1"));
    udLevel_ = layout_.Place<QSpinBox>(tab, "udLevel", {2760, 780, 240, 270});
    udLevel_->setRange(1, kMaxLevels);
    udLevel_->setFocusPolicy(Qt::NoFocus);   // the keyboard steps it from txtLevel
    connect(txtLevel_, &QLineEdit::textChanged, this, &frmBatRuleSet::txtLevel_Change);
    connect(udLevel_, &QSpinBox::valueChanged, this, &frmBatRuleSet::udLevel_Change);

    vsBatRule_->setModel(&cells_);
    layout_.Put(vsBatRule_, tab, "vsBatRule", {105, 1185, 6270, 2445});
    const double widths[] = {4.5, 10.75, 8.87, 3.75, 5.62, 5.0};
    for (int column = RuleGrid::Level; column <= RuleGrid::Substitute; ++column)
        vsBatRule_->SetColumnWidthInCharacters(column, widths[column - 1]);
    connect(&cells_, &SpreadGridModel::CellEdited, this, [this](const QModelIndex& index) {
        const auto [column, row] = SpreadGridModel::PositionOf(index);
        vsBatRule_Change(column, row);
    });
    connect(vsBatRule_, &SpreadGrid::KeyPress, this, &frmBatRuleSet::vsBatRule_KeyPress);
    // The sample follows each keystroke of a cell being edited, and its commit or its Esc.
    connect(vsBatRule_, &SpreadGrid::Typing, this, [this](int column, int row, const QString& text) {
        ShowPreviewOf(BatchPreview::GridElements(cells_, cells_.RowCount(), {column, row, text}));
    });
    connect(vsBatRule_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] { ShowPreview(); },
            Qt::QueuedConnection);

    CreateNotes(tab);
}

void frmBatRuleSet::CreateNotes(QWidget* tab)
{
    Picture1_ = layout_.Place<QFrame>(tab, "Picture1", {105, 3720, 6285, 2895});
    Picture1_->setFrameShape(QFrame::NoFrame);
    const std::pair<const char*, QRect> notes[] = {{"Label2", {15, 45, 6150, 465}},
                                                  {"Label3", {15, 525, 6150, 480}},
                                                  {"Label4", {15, 1095, 6150, 420}},
                                                  {"Label5", {15, 1590, 6150, 465}},
                                                  {"Label1", {15, 2145, 6150, 645}}};
    for (int i = 0; i < 5; ++i) {
        notes_[i] = layout_.Place<QLabel>(Picture1_, notes[i].first, notes[i].second);
        notes_[i]->setWordWrap(true);
        notes_[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

void frmBatRuleSet::CreateOptionsTab(QWidget* tab)
{
    ckItemIsTop_ = layout_.Place<QCheckBox>(tab, "ckItemIsTop", {525, 645, 5370, 570});
    ckItemIsTop_->setChecked(true);
    ckBRManual_ = layout_.Place<QCheckBox>(tab, "ckBRManual", {525, 1240, 5370, 570});
    chkAutoGetBat_ = layout_.Place<QCheckBox>(tab, "chkAutoGetBat", {525, 1830, 5370, 570});
    ckBRLackManual_ = layout_.Place<QCheckBox>(tab, "ckBRLackManual", {525, 1835, 5370, 570});
    ckBRRepeatEcho_ = layout_.Place<QCheckBox>(tab, "ckBRRepeatEcho", {525, 2430, 5370, 570});
    // Carried along unchanged: stored, never shown.
    ckBRLackManual_->setVisible(false);
    ckBRRepeatEcho_->setVisible(false);
}

void frmBatRuleSet::showEvent(QShowEvent* event)
{
    // Tab positions count from the tab control's corner; its pages sit below the tabs.
    layout_.PlaceTabPages();
    QDialog::showEvent(event);
    for (QLabel* line : {lblPreview_, lblSpread_})
        ShowElided(line, line->property("fullText").toString());   // the font is settled once shown
}

void frmBatRuleSet::Form_Load()
{
    keyPreview_ = std::make_unique<KeyPreview>(
        this, [this](QObject* receiver, const QKeyEvent& key) { return Form_KeyPreview(receiver, key); },
        [](QInputMethodEvent& input) {
            QString text = input.commitString();
            input.setCommitString(text.remove(QLatin1Char('\'')).remove(QLatin1Char('"')));
        });
    MParse::SetFormFont(this);
    ApplyEditorTexts();
    std::optional<ValueBag> options;
    MParse::LoadFormResources(this, options, MParse::ResourceKey);
    InitEditor();
    txtLevel_->setFocus();
}

int frmBatRuleSet::ShowModal()
{
    Form_Load();
    return exec();
}

void frmBatRuleSet::ApplyEditorTexts()
{
    using Setter = std::function<void(const QString&)>;
    auto textOf = [](auto* control) -> Setter { return [control](const QString& text) { control->setText(text); }; };
    auto tab = [this](int index) -> Setter { return [this, index](const QString& text) { SSTab1_->setTabText(index, text); }; };
    auto header = [this](int column) -> Setter {
        return [this, column](const QString& text) { cells_.SetText(column, 0, text); };
    };
    const std::pair<const char*, Setter> texts[] = {
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "批号管理----编码设置"), [this](const QString& text) { setWindowTitle(text); }},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "取消(&N)"), textOf(cmdCancel_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "确定(&Y)"), textOf(cmdOK_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "编码设置"), tab(0)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "选项"), tab(1)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "蓝字入库单批次号根据规则直接产生"), textOf(chkAutoGetBat_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "物料类设置不改变个别物料设置"), textOf(ckItemIsTop_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "批号重复给予提示"), textOf(ckBRRepeatEcho_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "编码信息不全时可做手工改变"), textOf(ckBRLackManual_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "在单据上可手工改变批号"), textOf(ckBRManual_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "按明细物料"), textOf(optSingleItem_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "按物料组"), textOf(optGroupItem_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "5、当属性值在单据上不存在，可在替换符栏里录入代替字符,如果不录入，将忽略。"), textOf(notes_[4])},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "4、当编码不足规定的长度时，可在补位符栏里录入补位字符。"), textOf(notes_[3])},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "3、当属性值为自定义时，可在格式栏里录入自定义字符。"), textOf(notes_[2])},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "2、当属性值为日期、行号时，可在格式栏里规定其显示方式。"), textOf(notes_[1])},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "1、当属性值为已有的基础资料时，格式有长短代码供选择。"), textOf(notes_[0])},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "级次"), header(RuleGrid::Level)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "属性"), header(RuleGrid::Property)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "格式"), header(RuleGrid::Format)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "长度"), header(RuleGrid::Length)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "补位符"), header(RuleGrid::Pad)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "替换符"), header(RuleGrid::Substitute)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "物料："), textOf(lblItem_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "编码级次："), textOf(lblLevel_)},
        {QT_TRANSLATE_NOOP("VEZAROZIVADA", "批号管理是企业的普遍要求，该编码设置可对批号规则灵活地进行用户设置，以便适应不同用户的不同要求。"), textOf(lblNote_)},
    };
    for (const auto& [text, set] : texts) {
        try {
            set(MParse::TranslateText(text));
        } catch (const std::exception&) {
            // A text that cannot be set is skipped; the next one is set.
        }
    }
    // What a screen reader names the tabs and the grid by, after the texts the editor has always asked for.
    SSTab1_->setAccessibleName(SSTab1_->tabText(0));
    vsBatRule_->setAccessibleName(MParse::TranslateText("批号规则"));
}

void frmBatRuleSet::InitEditor()
{
    editor_.ItemID = ItemID;
    editor_.ItemNumberName = ItemNumberName;
    editor_.ParentItemID = ParentItemID;
    editor_.ParentItemNumberName = ParentItemNumberName;
    editor_.Open();
    ShowItem(editor_.singleItem ? ItemNumberName : ParentItemNumberName);
    (editor_.singleItem ? optSingleItem_ : optGroupItem_)->setChecked(true);
    optSingleItem_->setEnabled(editor_.singleItem);
    txtLevel_->setText(editor_.LevelText());
    ShowOptions();
    materialNumber_ = BatchPreview::MaterialNumber(ItemID);
    sampleDocument_ = BatchNumberComposer::SampleDocument(materialNumber_);
    ShowPreview();
    ShowSpreadLine();
}

void frmBatRuleSet::ShowElided(QLabel* label, const QString& text)
{
    label->setProperty("fullText", text);
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, label->contentsRect().width()));
}

void frmBatRuleSet::ShowPreview()
{
    ShowPreviewOf(BatchPreview::GridElements(cells_, cells_.RowCount()));
}

void frmBatRuleSet::ShowPreviewOf(const QList<BatRuleStruct>& elements)
{
    const QString number = BatchNumberComposer::Compose(elements, sampleDocument_);
    const QList<RuleLint::Finding> findings = RuleLint::Check(elements, materialNumber_);
    const bool faulty = BatchPreview::HasError(findings);
    ShowElided(lblPreview_, BatchPreview::LineText(number, faulty));
    lblPreview_->setToolTip(BatchPreview::ToolTip(number, findings));
    QPalette colours = palette();
    if (faulty)
        colours.setColor(QPalette::WindowText, ErrorColour());
    lblPreview_->setPalette(colours);
}

void frmBatRuleSet::ShowSpreadLine()
{
    const bool groupMode = optGroupItem_->isChecked();
    lblSpread_->setVisible(groupMode);
    if (!groupMode)
        return;
    if (!spreadCounter_.Started())
        spreadCounter_.Start(ParentItemID, ParentItemNumberName);
    const std::optional<SpreadDryRun>& counts = spreadCounter_.Counts();
    if (!counts) {
        ShowElided(lblSpread_,
                   spreadCounter_.Counting() ? MParse::TranslateText("正在统计将更改的物料……") : QString());
        return;
    }
    ShowElided(lblSpread_, counts->Text(ckItemIsTop_->checkState() != Qt::Unchecked));
}

void frmBatRuleSet::ShowOptions()
{
    const BatchOptions& o = editor_.options;
    ShowState(ckBRManual_, o.manual);
    ShowState(ckBRLackManual_, o.lackManual);
    ShowState(ckBRRepeatEcho_, o.repeatEcho);
    ShowState(chkAutoGetBat_, o.autoCreate);
    ShowState(ckItemIsTop_, o.itemIsTop);
}

void frmBatRuleSet::TakeOptions()
{
    BatchOptions& o = editor_.options;
    o.manual = StateOf(ckBRManual_);
    o.lackManual = StateOf(ckBRLackManual_);
    o.repeatEcho = StateOf(ckBRRepeatEcho_);
    o.autoCreate = StateOf(chkAutoGetBat_);
    o.itemIsTop = StateOf(ckItemIsTop_);
}

bool frmBatRuleSet::Form_KeyPreview(QObject* receiver, const QKeyEvent& key)
{
    if (key.type() != QEvent::KeyPress)
        return false;
    Form_KeyDown(key);
    return Form_KeyPress(receiver, key);
}

void frmBatRuleSet::Form_KeyDown(const QKeyEvent& event)
{
    try {
        MMTS::ShowHelpForKey(VirtualKeys::FromQtKey(event.key()), 0, MMTS::HelpTopic, 0,
                             MMTS::FindPropValue(QStringLiteral("SUBID")), 0);
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(QStringLiteral("Form_KeyDown"), 0, true, &error);
    }
}

bool frmBatRuleSet::Form_KeyPress(QObject* receiver, const QKeyEvent& event)
{
    if (IsQuote(event.text()))
        return true;
    if (receiver == txtLevel_)
        return txtLevel_KeyPress(event);
    return false;
}

bool frmBatRuleSet::txtLevel_KeyPress(const QKeyEvent& event)
{
    // The up-down control's arrow keys work in its buddy box.
    if (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down) {
        event.key() == Qt::Key_Up ? udLevel_->stepUp() : udLevel_->stepDown();
        return true;
    }
    // Moving on (Tab, also Ctrl+Tab to the other tab) and Enter or Esc are no typing.
    static const int commands[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape};
    const QString text = event.text();
    if (text.isEmpty() || std::find(std::begin(commands), std::end(commands), event.key()) != std::end(commands))
        return false;
    if (text.size() == 1 && text[0] >= QLatin1Char('1') && text[0] <= QLatin1Char('8')) {
        txtLevel_->selectAll();   // the one character is typed anew
        return false;
    }
    return true;
}

void frmBatRuleSet::txtLevel_Change()
{
    const QString text = txtLevel_->text();
    if (text != editor_.LevelText()) {
        editor_.SetLevelText(text);
        ShowPreview();
    }
    if (const int levels = text.toInt(); levels >= 1 && levels <= kMaxLevels) {
        const QSignalBlocker quiet(udLevel_);
        udLevel_->setValue(levels);
    }
}

void frmBatRuleSet::udLevel_Change()
{
    txtLevel_->setText(QString::number(udLevel_->value()));
}

void frmBatRuleSet::vsBatRule_Change(int column, int row)
{
    SpreadConsole::CellChanged(cells_, column, row);
    ShowPreview();
}

void frmBatRuleSet::vsBatRule_KeyPress(QChar key, bool& discard)
{
    discard = !SpreadConsole::AcceptsKey(cells_, key);
}

void frmBatRuleSet::ShowItem(const QString& text)
{
    txtItem_->setText(text);
    txtItem_->setCursorPosition(0);   // a long name shows its number first
    txtItem_->setToolTip(text);
}

void frmBatRuleSet::optSingleItem_Click()
{
    ShowItem(ItemNumberName);   // the choice counts at commit
    ShowSpreadLine();
}

void frmBatRuleSet::optGroupItem_Click()
{
    ShowItem(ParentItemNumberName);
    ShowSpreadLine();
}

void frmBatRuleSet::cmdOK_Click()
{
    vsBatRule_->FinishEditing();
    TakeOptions();
    editor_.singleItem = optSingleItem_->isChecked();
    try {
        const BatRuleEditor::CommitResult result = editor_.Commit();
        if (result.closed) {
            accept();
            return;
        }
        if (result.reload) {
            InitEditor();   // the rule and the options as they are stored now
            return;
        }
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(QStringLiteral("cmdOK_Click"), 0, true, &error);
    }
    // Refused: back to the rule, where the save engine may have put the cursor on the faulty cell.
    SSTab1_->setCurrentIndex(0);
    vsBatRule_->setFocus(Qt::OtherFocusReason);
}

void frmBatRuleSet::keyPressEvent(QKeyEvent* event)
{
    // Enter and Esc have no binding of their own: no default button, no closing.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

}
