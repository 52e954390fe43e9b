// The rule editor window driven as a user drives it: keys and clicks on the
// offscreen platform, through the real host connection on a temporary database.
#include "BatchTexts.h"
#include "GridUser.h"
#include "HelpBrowser.h"
#include "HelpViewer.h"
#include "HostError.h"
#include "RuleFixture.h"
#include "SpreadConsole.h"
#include "SpreadGrid.h"
#include "RWDatabase.h"
#include "TestSupport.h"
#include "frmBatRuleSet.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest/QTest>

namespace {

using Element = BatchTexts::Element;

// Counts the key presses that reach a widget past the window's own key handling.
class KeyCounter : public QObject {
public:
    QString seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            seen += static_cast<QKeyEvent*>(event)->text();
        return false;
    }
};

class RecordingViewer : public HelpViewer {
public:
    static inline QStringList calls;
    void ShowHELP(qint32& n1, qint16 reserved, QString& topic, qint32& n2, QString& subsystem, qint32& n3) override
    {
        calls << QStringLiteral("%1,%2,%3,%4,%5,%6").arg(n1).arg(reserved).arg(topic).arg(n2).arg(subsystem).arg(n3);
    }
};

class EditorWindow : public RuleFixture {
protected:
    explicit EditorWindow(const QString& props = "UserID=16394;LANGUAGE=chs;SUBID=IC") : RuleFixture(props) {}

    // As the main window opens it on material 101 of group 01.01, or on 201 that has no rule yet.
    void OpenOnMaterial(qint32 item = 101, const QString& text = "01.01.001(冷轧钢板 1.0mm)", qint32 group = 2,
                        const QString& groupText = "01.01(钢材)")
    {
        window.ItemID = item;
        window.ItemNumberName = text;
        window.ParentItemID = group;
        window.ParentItemNumberName = groupText;
        Open();
    }

    void OpenOnGroup(qint32 group, const QString& text)
    {
        window.ParentItemID = group;
        window.ParentItemNumberName = text;
        Open();
    }

    void Open()
    {
        window.Form_Load();
        ASSERT_TRUE(ShowActive(window));
        opened = connection->batches.size();
        stored = DatabaseBytes();
    }

    template <typename Control>
    Control* Find(const char* name)
    {
        auto* control = window.findChild<Control*>(QLatin1String(name));
        EXPECT_TRUE(control) << name;
        return control;
    }

    QString Cell(int column, int row) { return cells.Text(column, row); }

    void Click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton);
        User::Settle();
    }

    // A click on an option button's or check box's mark.
    void Tick(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
        User::Settle();
    }

    // The level count typed into txtLevel.
    void Levels(const QString& count)
    {
        Click(Find<QLineEdit>("txtLevel"));
        User::Type(count);
    }

    void PressOk()
    {
        Click(Find<QPushButton>("cmdOK"));
    }

    QStringList Sent() const { return connection->batches.mid(opened); }

    QByteArray DatabaseBytes() const
    {
        QByteArray bytes;
        for (const char* suffix : {"", "-wal"}) {
            QFile file(db.Path() + QLatin1String(suffix));
            if (file.open(QIODevice::ReadOnly))
                bytes += file.readAll();
        }
        return bytes;
    }

    // The refusal the user saw, the window still open and the database untouched.
    void ExpectRefused(const QString& message)
    {
        ASSERT_EQ(RecordingMessageBox::shown.size(), 1);
        EXPECT_EQ(RecordingMessageBox::shown[0].text, message);
        EXPECT_EQ(RecordingMessageBox::shown[0].title, "砚川提示");
        EXPECT_EQ(RecordingMessageBox::shown[0].icon, MessageBox::Icon::Information);
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(Sent().isEmpty()) << Sent().join("\n").toStdString();
        EXPECT_EQ(DatabaseBytes(), stored);
        EXPECT_EQ(Find<QTabWidget>("SSTab1")->currentIndex(), 0);
        EXPECT_TRUE(grid.hasFocus());
    }

    void ExpectActiveCell(int column, int row)
    {
        EXPECT_EQ(cells.ActiveColumn(), column);
        EXPECT_EQ(cells.ActiveRow(), row);
        EXPECT_EQ(grid.currentIndex(), grid.model()->index(row - 1, column - 1)) << "the grid shows the active cell";
    }

    QRect Twips(int left, int top, int width, int height)
    {
        auto x = [&](int t) { return qRound(t * window.logicalDpiX() / 1440.0); };
        auto y = [&](int t) { return qRound(t * window.logicalDpiY() / 1440.0); };
        return {x(left), y(top), x(width), y(height)};
    }

    frmBatRuleSet window;
    SpreadGrid& grid = *window.findChild<SpreadGrid*>("vsBatRule");
    RuleGrid& cells = CellsOf(grid);
    GridUser user{grid};
    qsizetype opened = 0;
    QByteArray stored;
};

TEST_F(EditorWindow, OpensOnTheMaterialsOwnRuleInFidOrder)
{
    OpenOnMaterial();
    auto* single = Find<QRadioButton>("optSingleItem");
    EXPECT_TRUE(single->isChecked());
    EXPECT_TRUE(single->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>("optGroupItem")->isChecked());
    auto* item = Find<QLineEdit>("txtItem");
    EXPECT_EQ(item->text(), "01.01.001(冷轧钢板 1.0mm)");
    EXPECT_TRUE(item->isReadOnly());
    EXPECT_EQ(item->palette().color(QPalette::Base), QColor(254, 254, 228));
    EXPECT_EQ(Find<QLineEdit>("txtLevel")->text(), "4");
    EXPECT_EQ(Find<QSpinBox>("udLevel")->value(), 4);
    ASSERT_EQ(cells.RowCount(), 4);
    const char* properties[] = {"供应商代码(8)", "自定义(24)", "日期(23)", "流水号(26)"};
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(Cell(RuleGrid::Level, row), QString::number(row));
        EXPECT_EQ(Cell(RuleGrid::Property, row), properties[row - 1]);
    }
    EXPECT_EQ(Cell(RuleGrid::Substitute, 1), "Z");
    EXPECT_EQ(connection->batches.first(), BatchTexts::FetchBatchRule(101, 1));
    EXPECT_EQ(window.windowTitle(), "批号管理----编码设置");
    EXPECT_EQ(grid.model()->headerData(3, Qt::Horizontal).toString(), "长度");
}

TEST_F(EditorWindow, SetsItsTextsInTheirOrderBeforeTheRuleIsLoaded)
{
    DictionaryLoader::Register();
    CurrentModuleState().resourceLoader.reset();
    OpenOnMaterial();
    const QStringList texts{"批号管理----编码设置", "取消(&N)", "确定(&Y)", "编码设置", "选项",
                            "蓝字入库单批次号根据规则直接产生", "物料类设置不改变个别物料设置", "批号重复给予提示",
                            "编码信息不全时可做手工改变", "在单据上可手工改变批号", "按明细物料", "按物料组"};
    EXPECT_EQ(DictionaryLoader::asked.mid(0, texts.size()), texts);
    const QStringList grid{"级次", "属性", "格式", "长度", "补位符", "替换符", "物料：", "编码级次："};
    EXPECT_EQ(DictionaryLoader::asked.mid(texts.size() + 5, grid.size()), grid) << "after the five notes";
    EXPECT_TRUE(DictionaryLoader::asked[texts.size()].startsWith("5、"));
    EXPECT_TRUE(DictionaryLoader::asked[texts.size() + 4].startsWith("1、"));
    EXPECT_TRUE(DictionaryLoader::asked[texts.size() + 5 + grid.size()].startsWith("批号管理是"));
    EXPECT_EQ(DictionaryLoader::asked[texts.size() + 5 + grid.size() + 1], "批号规则") << "the grid's name for a screen reader";
    EXPECT_EQ(DictionaryLoader::asked.indexOf("长代码"), texts.size() + 5 + grid.size() + 2)
        << "the stored rule comes after the window's texts";
}

TEST_F(EditorWindow, OptionsTabShowsThreeBoxesWithItemIsTopAtTheTop)
{
    OpenOnMaterial();
    auto* tabs = Find<QTabWidget>("SSTab1");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "编码设置");
    EXPECT_EQ(tabs->tabText(1), "选项");
    EXPECT_EQ(tabs->currentIndex(), 0);
    tabs->setCurrentIndex(1);
    QList<QCheckBox*> shown;
    for (QCheckBox* box : tabs->widget(1)->findChildren<QCheckBox*>())
        if (box->isVisible())
            shown << box;
    ASSERT_EQ(shown.size(), 3);
    std::sort(shown.begin(), shown.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
    EXPECT_EQ(shown[0]->objectName(), "ckItemIsTop");
    EXPECT_EQ(shown[0]->text(), "物料类设置不改变个别物料设置");
    EXPECT_EQ(shown[1]->objectName(), "ckBRManual");
    EXPECT_EQ(shown[2]->objectName(), "chkAutoGetBat");
    // The demo's stored states, the hidden ones included.
    EXPECT_TRUE(shown[0]->isChecked());
    EXPECT_TRUE(shown[1]->isChecked());
    EXPECT_FALSE(shown[2]->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("ckBRRepeatEcho")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("ckBRLackManual")->isChecked());
}

TEST_F(EditorWindow, OpensOnTheGroupWhenNoMaterialIsNamed)
{
    OpenOnGroup(7, "03.02(食品饮料)");
    EXPECT_TRUE(Find<QRadioButton>("optGroupItem")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("optSingleItem")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>("txtItem")->text(), "03.02(食品饮料)");
    EXPECT_EQ(connection->batches.first(), BatchTexts::FetchBatchRule(7, 0));
    EXPECT_EQ(cells.RowCount(), 3);
    EXPECT_EQ(Cell(RuleGrid::Format, 1), "短代码");
}

TEST_F(EditorWindow, ChoosingTheGroupOnlyChangesTheShownText)
{
    OpenOnMaterial();
    Tick(Find<QRadioButton>("optGroupItem"));
    EXPECT_EQ(Find<QLineEdit>("txtItem")->text(), "01.01(钢材)");
    EXPECT_EQ(cells.RowCount(), 4);
    EXPECT_TRUE(Sent().isEmpty());
    Tick(Find<QRadioButton>("optSingleItem"));
    EXPECT_EQ(Find<QLineEdit>("txtItem")->text(), "01.01.001(冷轧钢板 1.0mm)");
}

TEST_F(EditorWindow, ControlsSitWhereTheirTwipsPutThem)
{
    OpenOnMaterial();
    EXPECT_EQ(window.size(), Twips(0, 0, 6960, 8310).size()) << "the designed area and the look-ahead lines";
    EXPECT_EQ(Find<QPushButton>("cmdOK")->geometry(), Twips(4260, 7740, 1050, 360));
    EXPECT_EQ(Find<QPushButton>("cmdCancel")->geometry(), Twips(5610, 7740, 1050, 360));
    auto* tabs = Find<QTabWidget>("SSTab1");
    EXPECT_EQ(tabs->geometry(), Twips(225, 915, 6495, 6720));
    // Inside the tab control, positions count from its corner, tabs included.
    EXPECT_EQ(QRect(grid.mapTo(tabs, QPoint()), grid.size()), Twips(105, 1185, 6270, 2445));
    auto* level = Find<QLineEdit>("txtLevel");
    EXPECT_EQ(QRect(level->mapTo(tabs, QPoint()), level->size()), Twips(1785, 780, 945, 270));
    auto* note = Find<QLabel>("Label1");
    EXPECT_EQ(note->geometry(), Twips(15, 2145, 6150, 645));
    EXPECT_EQ(note->parentWidget()->objectName(), "Picture1");
    EXPECT_FALSE(Find<QLabel>("imgNote")->pixmap().isNull());
    EXPECT_EQ(Find<QLabel>("imgNote")->pixmap().size(), QSize(17, 16));
}

TEST_F(EditorWindow, LineNumberFormatTakesOnlyZerosEvenWhileEditing)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    ASSERT_TRUE(user.ChooseProperty(1, 25));
    EXPECT_EQ(Cell(RuleGrid::Format, 1), "00");
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "2");
    EXPECT_TRUE(cells.IsLocked(RuleGrid::Length, 1));
    user.Enter(RuleGrid::Format, 1, "0");
    EXPECT_EQ(Cell(RuleGrid::Format, 1), "000");
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "3");
    user.Enter(RuleGrid::Format, 1, "5");
    EXPECT_EQ(Cell(RuleGrid::Format, 1), "000");
    user.Click(RuleGrid::Format, 1);
    User::Press(Qt::Key_F2);
    User::Type("5a0");
    User::Press(Qt::Key_Backspace);
    User::Press(Qt::Key_Backspace);
    User::Press(Qt::Key_Enter);
    EXPECT_EQ(Cell(RuleGrid::Format, 1), "00");
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "2");
}

TEST_F(EditorWindow, FormatsGiveTheLengthTheirKindWants)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    ASSERT_TRUE(user.ChooseProperty(1, 23));
    ASSERT_TRUE(user.Choose(RuleGrid::Format, 1, "yyyymmdd"));
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "8");
    ASSERT_TRUE(user.Choose(RuleGrid::Format, 1, "yymm"));
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "4");
    EXPECT_TRUE(cells.IsLocked(RuleGrid::Length, 1));

    ASSERT_TRUE(user.ChooseProperty(1, 24));
    user.Enter(RuleGrid::Format, 1, "ABC");
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "3");

    ASSERT_TRUE(user.ChooseProperty(1, 4));
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "");
    EXPECT_FALSE(cells.IsLocked(RuleGrid::Length, 1));
    ASSERT_TRUE(user.Choose(RuleGrid::Format, 1, "长代码"));
    user.Enter(RuleGrid::Length, 1, "6");
    user.Enter(RuleGrid::Pad, 1, "0");
    user.Enter(RuleGrid::Substitute, 1, "Z");
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "6");
    ASSERT_TRUE(user.Choose(RuleGrid::Format, 1, "短代码"));
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "") << "switching the code length clears the length";
    EXPECT_EQ(cells.Value(RuleGrid::Format, 1).toInt(), 1);
}

TEST_F(EditorWindow, SerialAndDocumentNumberLockWhatTheyDoNotUse)
{
    OpenOnMaterial();   // row 1: 供应商代码, length 6, pad 0, substitute Z
    ASSERT_TRUE(user.ChooseProperty(1, 26));
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "6") << "a serial keeps its length";
    EXPECT_FALSE(cells.IsLocked(RuleGrid::Length, 1));
    for (int column : {RuleGrid::Pad, RuleGrid::Substitute}) {
        EXPECT_EQ(Cell(column, 1), "");
        EXPECT_TRUE(cells.IsLocked(column, 1));
    }
    user.Enter(RuleGrid::Pad, 1, "x");
    EXPECT_EQ(Cell(RuleGrid::Pad, 1), "");

    ASSERT_TRUE(user.ChooseProperty(2, 20));
    EXPECT_EQ(Cell(RuleGrid::Format, 2), "");
    EXPECT_TRUE(cells.IsLocked(RuleGrid::Format, 2));
    EXPECT_FALSE(cells.IsLocked(RuleGrid::Length, 2));
    EXPECT_FALSE(cells.IsLocked(RuleGrid::Pad, 2));
}

TEST_F(EditorWindow, LevelCountDropsRowsAndBringsThemBackEmpty)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    Levels("5");
    ASSERT_EQ(cells.RowCount(), 5);
    for (int row = 1; row <= 5; ++row)
        ASSERT_TRUE(user.ChooseProperty(row, 23));
    Levels("3");
    EXPECT_EQ(cells.RowCount(), 3);
    Levels("5");
    ASSERT_EQ(cells.RowCount(), 5);
    EXPECT_EQ(Cell(RuleGrid::Property, 3), "日期(23)");
    for (int row : {4, 5}) {
        EXPECT_EQ(Cell(RuleGrid::Level, row), QString::number(row));
        for (int column = RuleGrid::Property; column <= RuleGrid::Substitute; ++column)
            EXPECT_EQ(Cell(column, row), "") << column << "," << row;
    }
}

TEST_F(EditorWindow, LevelBoxTakesOnlyOneToEight)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    auto* level = Find<QLineEdit>("txtLevel");
    Levels("2");
    for (const char* refused : {"9", "0", "a"}) {
        User::Type(refused);
        EXPECT_EQ(level->text(), "2") << refused;
    }
    User::Press(Qt::Key_Backspace);
    EXPECT_EQ(level->text(), "2");
    User::Press(Qt::Key_Up);
    EXPECT_EQ(level->text(), "3") << "the arrow keys step the up-down";
    EXPECT_EQ(cells.RowCount(), 3);
}

TEST_F(EditorWindow, UpDownStepsTheLevelsAndStopsAtOneAndEight)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    auto* upDown = Find<QSpinBox>("udLevel");
    auto click = [&](QStyle::SubControl arrow) {
        QStyleOptionSpinBox option;
        option.initFrom(upDown);
        option.rect = upDown->rect();
        option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        const QRect rect = upDown->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, upDown);
        QTest::mouseClick(upDown, Qt::LeftButton, Qt::NoModifier, rect.center());
        User::Settle();
    };
    auto* level = Find<QLineEdit>("txtLevel");
    click(QStyle::SC_SpinBoxDown);
    EXPECT_EQ(level->text(), "1");
    click(QStyle::SC_SpinBoxUp);
    EXPECT_EQ(level->text(), "2");
    EXPECT_EQ(cells.RowCount(), 2);
    for (int i = 0; i < 8; ++i)
        click(QStyle::SC_SpinBoxUp);
    EXPECT_EQ(level->text(), "8");
    EXPECT_EQ(cells.RowCount(), 8);
}

TEST_F(EditorWindow, QuotesChangeNothingWhereverTheFocusIs)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    Levels("'");
    User::Type("\"");
    EXPECT_EQ(Find<QLineEdit>("txtLevel")->text(), "1");

    ASSERT_TRUE(user.ChooseProperty(1, 24));
    user.Enter(RuleGrid::Format, 1, "a'b\"c");
    EXPECT_EQ(Cell(RuleGrid::Format, 1), "abc");
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "3");

    // Nor through an input method.
    user.Click(RuleGrid::Format, 1);
    User::Press(Qt::Key_F2);
    QInputMethodEvent composed;
    composed.setCommitString("'d\"");
    QCoreApplication::sendEvent(User::Focus(), &composed);
    User::Press(Qt::Key_Enter);
    EXPECT_EQ(Cell(RuleGrid::Format, 1), "abcd");

    KeyCounter counter;
    auto* cancel = Find<QPushButton>("cmdCancel");
    cancel->installEventFilter(&counter);
    cancel->setFocus();
    User::Type("'a\"");
    EXPECT_EQ(counter.seen, "a");
    EXPECT_TRUE(window.isVisible());
}

TEST_F(EditorWindow, TotalLengthOverTwoHundredIsRefused)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    Levels("2");
    for (int row : {1, 2}) {
        ASSERT_TRUE(user.ChooseProperty(row, 20));
        user.Enter(RuleGrid::Length, row, row == 1 ? "100" : "101");
        user.Enter(RuleGrid::Pad, row, "0");
    }
    Find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    PressOk();
    ExpectRefused("批次设置长度超过200，请重新设置");
}

TEST_F(EditorWindow, SecondSerialIsRefused)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    Levels("2");
    for (int row : {1, 2}) {
        ASSERT_TRUE(user.ChooseProperty(row, 26));
        user.Enter(RuleGrid::Format, row, "1");
        user.Enter(RuleGrid::Length, row, "4");
    }
    PressOk();
    ExpectRefused("流水号只能设置一次，请重新设置");
}

TEST_F(EditorWindow, SerialShorterThanItsFormatIsRefusedWithTheFormatsLength)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    ASSERT_TRUE(user.ChooseProperty(1, 26));
    user.Enter(RuleGrid::Format, 1, "1234");
    user.Enter(RuleGrid::Length, 1, "3");
    PressOk();
    ExpectRefused("流水号的长度不能小于格式字符的总长度:4，请重新设置");
}

TEST_F(EditorWindow, SaveEngineRefusalsPutTheCursorOnTheFaultyCell)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    Levels("2");
    ASSERT_TRUE(user.ChooseProperty(1, 4));
    struct Step {
        std::function<void()> before;
        const char* message;
        int column, row;
    };
    const Step steps[] = {
        {[] {}, "系统检测到[级次=1]的编码属性的格式未设置，请重新设置！", RuleGrid::Format, 1},
        {[&] { user.Choose(RuleGrid::Format, 1, "长代码"); }, "系统检测到[级次=1]的编码属性的长度未设置，请重新设置！",
         RuleGrid::Length, 1},
        {[&] { user.Enter(RuleGrid::Length, 1, "6"); }, "系统检测到[级次=1]的编码属性的补位符未设置，请重新设置！",
         RuleGrid::Pad, 1},
        {[&] { user.Enter(RuleGrid::Pad, 1, "0"); }, "系统检测到[级次=2]的编码属性未设置，请重新设置！",
         RuleGrid::Property, 2},
    };
    for (const Step& step : steps) {
        step.before();
        user.Click(RuleGrid::Level, 1);
        Find<QTabWidget>("SSTab1")->setCurrentIndex(1);
        RecordingMessageBox::shown.clear();
        PressOk();
        ExpectRefused(step.message);
        ExpectActiveCell(step.column, step.row);
    }
}

// Where no history is kept: the commit looks for its table first, then writes as ever.
const QString kHistoryProbe = " SELECT COUNT(*) AS FRows FROM ICBatchNoRuleHistory WHERE 1 = 0\r\n";

TEST_F(EditorWindow, ValidRuleIsWrittenWithTheOptionsAndTheWindowCloses)
{
    db.Connection().Execute("DROP TABLE ICBatchNoRuleHistory");
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    Levels("2");
    ASSERT_TRUE(user.ChooseProperty(1, 23));
    ASSERT_TRUE(user.Choose(RuleGrid::Format, 1, "yymmdd"));
    ASSERT_TRUE(user.ChooseProperty(2, 26));
    user.Enter(RuleGrid::Format, 2, "1");
    user.Enter(RuleGrid::Length, 2, "4");
    Find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    Tick(Find<QCheckBox>("chkAutoGetBat"));
    PressOk();

    const QList<Element> rule{{1, 23, 0, "yymmdd", "", 6, "", ""}, {2, 26, 0, "", "1", 4, "", ""}};
    // The unit reads the options and the rule again, then writes.
    EXPECT_EQ(Sent(), (QStringList{kHistoryProbe, BatchTexts::ReadOptions(), BatchTexts::FetchBatchRule(201, 1),
                                   BatchTexts::ItemSave(201, rule), BatchTexts::WriteOptions(1, 0, 1, 1, 1),
                                   BatchTexts::MissingOptionRows(1, 0, 1, 1)}));
    EXPECT_EQ(db.Rows("SELECT FID,FPropertyID,FFormatDate,FSelDefine,FWidth FROM ICBatchNoRule WHERE FItemID=201 "
                      "ORDER BY FID"),
              "1|23|yymmdd||6\n2|26||1|4");
    EXPECT_EQ(db.Scalar("SELECT FValue FROM t_SystemProfile WHERE FKey='AutoCreateBatNo'"), "1");
    EXPECT_TRUE(RecordingMessageBox::shown.isEmpty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

// Another seat changed the material's rule while the editor was open: OK
// asks before anything is written, and only an overwrite replaces it.
struct ConflictCase {
    const char* name;
    const char* button;
    const char* stored;   // row 1's pad and substitute afterwards
    const char* shown;    // the grid's row 1 pad and substitute afterwards
    bool closes;
};

class EditorConflict : public EditorWindow, public testing::WithParamInterface<ConflictCase> {};

TEST_P(EditorConflict, ARuleChangedElsewhereIsNotOverwrittenUnasked)
{
    const ConflictCase& c = GetParam();
    OpenOnMaterial();
    db.Connection().Execute("UPDATE ICBatchNoRule SET FCharacter='9' WHERE FItemID=101 AND FDetail=1 AND FID=1");
    user.Enter(RuleGrid::Substitute, 1, "Y");
    QString asked;
    User::WhenModalOpens([&](QWidget* modal) {
        asked = modal->findChild<QLabel*>("qt_msgbox_label")->text();
        for (auto* button : modal->findChildren<QPushButton*>())
            if (button->text() == c.button)
                button->click();
    });
    PressOk();
    EXPECT_EQ(asked, "01.01.001(冷轧钢板 1.0mm)的批号规则在编辑器读取之后已被更改。您要怎样处理？");
    EXPECT_EQ(db.Rows("SELECT FCharacter, FSubCharacter FROM ICBatchNoRule WHERE FItemID=101 AND FDetail=1 AND FID=1"),
              c.stored);
    EXPECT_EQ(window.isVisible(), !c.closes);
    EXPECT_EQ(db.Rows("SELECT FSource, FItemID FROM ICBatchNoRuleHistory"), c.closes ? "editor|101" : "")
        << "on record only when written";
    if (!c.closes) {
        EXPECT_EQ(Cell(RuleGrid::Pad, 1) + "|" + Cell(RuleGrid::Substitute, 1), c.shown);
    }
}

INSTANTIATE_TEST_SUITE_P(Choices, EditorConflict,
                         testing::Values(ConflictCase{"Back", "返回编辑(&B)", "9|Z", "0|Y", false},
                                         ConflictCase{"Reload", "重新载入(&R)", "9|Z", "9|Z", false},
                                         ConflictCase{"Overwrite", "仍然覆盖(&O)", "0|Y", "", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorWindow, GroupChoiceOnAMaterialSpreadsTheRuleOverTheGroup)
{
    db.Connection().Execute("DROP TABLE ICBatchNoRuleHistory");
    OpenOnMaterial(312, "03.02.002(绿茶饮料 500ml)", 7, "03.02(食品饮料)");
    Tick(Find<QRadioButton>("optGroupItem"));
    Find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    Tick(Find<QCheckBox>("ckItemIsTop"));
    PressOk();

    const QList<Element> rule{
        {1, 4, 1, "", "", 6, "0", ""}, {2, 23, 0, "yymmdd", "", 6, "", ""}, {3, 26, 0, "", "1", 4, "", ""}};
    // The group is read for its stored number, then the unit reads the options again and is written.
    ASSERT_EQ(Sent().size(), 7);
    EXPECT_EQ(Sent()[0], RWDatabase::GroupSql(7, "", ""));
    EXPECT_EQ(Sent()[1], kHistoryProbe);
    EXPECT_EQ(Sent()[2], BatchTexts::ReadOptions());
    EXPECT_EQ(Sent()[3], BatchTexts::GroupSpread("03.02", false, rule));
    EXPECT_EQ(Sent()[4], BatchTexts::GroupSave(7, rule));
    EXPECT_EQ(Sent()[5], BatchTexts::WriteOptions(1, 0, 1, 0, 0));
    EXPECT_EQ(Sent()[6], BatchTexts::MissingOptionRows(1, 0, 1, 0));
    EXPECT_EQ(db.Rows("SELECT DISTINCT FItemID FROM ICBatchNoRule WHERE FDetail=1 AND FPropertyID=4 ORDER BY 1"),
              "311\n312\n313");
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(EditorWindow, CancelAndTheCloseBoxWriteNothing)
{
    for (bool closeBox : {false, true}) {
        frmBatRuleSet again;
        again.ItemID = 101;
        again.ItemNumberName = "01.01.001(冷轧钢板 1.0mm)";
        again.ParentItemID = 2;
        again.ParentItemNumberName = "01.01(钢材)";
        again.Form_Load();
        ASSERT_TRUE(ShowActive(again));
        const QByteArray before = DatabaseBytes();
        const qsizetype sent = connection->batches.size();
        GridUser editing(*again.findChild<SpreadGrid*>("vsBatRule"));
        ASSERT_TRUE(editing.ChooseProperty(1, 23));
        again.findChild<QCheckBox*>("ckBRManual")->click();
        if (closeBox)
            again.close();
        else
            Click(again.findChild<QPushButton*>("cmdCancel"));
        EXPECT_FALSE(again.isVisible());
        EXPECT_EQ(again.result(), QDialog::Rejected);
        EXPECT_EQ(connection->batches.size(), sent);
        EXPECT_EQ(DatabaseBytes(), before) << (closeBox ? "close box" : "Cancel");
    }
}

TEST_F(EditorWindow, AccessKeysPressOkAndCancelWhileEnterAndEscDoNothing)
{
    OpenOnMaterial();
    User::Press(Qt::Key_Escape);
    User::Press(Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    User::Press(Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 2000));
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(Sent().isEmpty());

    frmBatRuleSet again;
    again.ItemID = 101;
    again.ItemNumberName = "01.01.001(冷轧钢板 1.0mm)";
    again.Form_Load();
    ASSERT_TRUE(ShowActive(again));
    User::Press(Qt::Key_Y, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !again.isVisible(); }, 2000));
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_TRUE(connection->batches.last().startsWith("IF NOT EXISTS(SELECT * FROM t_SystemProfile"));
}

TEST_F(EditorWindow, TabLeavesTheGridAtItsEndsAndCtrlTabTurnsTheTab)
{
    OpenOnMaterial();
    auto* tabs = Find<QTabWidget>("SSTab1");
    cells.SetActiveCell(RuleGrid::Substitute, 4);
    User::Press(Qt::Key_Tab);
    EXPECT_EQ(User::Focus(), Find<QPushButton>("cmdOK"));
    // Back from the first cell, past the level box, to the group choice.
    cells.SetActiveCell(RuleGrid::Level, 1);
    User::Press(Qt::Key_Backtab);
    User::Press(Qt::Key_Backtab);
    ASSERT_EQ(User::Focus(), Find<QRadioButton>("optGroupItem")) << User::Focus()->objectName().toStdString();
    User::Press(Qt::Key_Space);
    EXPECT_TRUE(Find<QRadioButton>("optGroupItem")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("txtItem")->text(), "01.01(钢材)");
    // Ctrl+Tab turns to the options, from a cell and from a cell being edited (which it commits).
    for (bool editing : {false, true}) {
        tabs->setCurrentIndex(0);
        cells.SetActiveCell(RuleGrid::Length, 1);
        if (editing) {
            User::Press(Qt::Key_F2);
            User::Type("7");
        }
        User::Press(Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(tabs->currentIndex(), 1) << editing;
        EXPECT_TRUE(tabs->widget(1)->isAncestorOf(User::Focus())) << editing;
    }
    EXPECT_EQ(Cell(RuleGrid::Length, 1), "67");
}

// A line-number format takes deletions as it takes Backspace; its length follows.
TEST_F(EditorWindow, DeleteInALineNumberFormatIsABackspace)
{
    OpenOnMaterial();
    ASSERT_TRUE(user.ChooseProperty(2, 25));
    user.Enter(RuleGrid::Format, 2, "0");
    user.Click(RuleGrid::Format, 2);
    User::Press(Qt::Key_F2);
    User::Press(Qt::Key_Home);
    User::Press(Qt::Key_Delete);
    User::Press(Qt::Key_Enter);
    EXPECT_EQ(Cell(RuleGrid::Format, 2), "00");
    EXPECT_EQ(Cell(RuleGrid::Length, 2), "2");
    User::Press(Qt::Key_Delete);
    EXPECT_EQ(Cell(RuleGrid::Format, 2), "");
    EXPECT_EQ(Cell(RuleGrid::Length, 2), "0");
}

TEST_F(EditorWindow, AnEditInProgressIsPartOfTheCommit)
{
    OpenOnMaterial();
    user.Click(RuleGrid::Length, 4);
    User::Press(Qt::Key_F2);
    User::Press(Qt::Key_Backspace);
    User::Type("5");
    User::Press(Qt::Key_Y, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 2000));
    EXPECT_EQ(db.Scalar("SELECT FWidth FROM ICBatchNoRule WHERE FItemID=101 AND FID=4"), "5");
}

TEST_F(EditorWindow, F1OpensTheHelpTopicFromAnyControl)
{
    RecordingViewer::calls.clear();
    ComponentRegistry::Instance().Register(ComponentNames::HelpViewer, [] { return std::make_shared<RecordingViewer>(); });
    OpenOnMaterial();
    User::Press(Qt::Key_F1);   // in txtLevel
    User::Press(Qt::Key_F3);
    user.Click(RuleGrid::Substitute, 1);
    User::Press(Qt::Key_F2);
    User::Press(Qt::Key_F1);   // in the cell's editor
    EXPECT_EQ(RecordingViewer::calls, QStringList(2, "0,0,ICBatchCodeRule,0,IC,0"));
}

TEST_F(EditorWindow, F1ShowsTheHostsHelpWindow)
{
    OpenOnMaterial();
    User::Press(Qt::Key_F1);
    auto* viewer = dynamic_cast<HelpBrowser*>(CurrentModuleState().helpViewer.get());
    ASSERT_TRUE(viewer && viewer->Window());
    EXPECT_TRUE(viewer->Window()->isVisible());
    EXPECT_TRUE(viewer->Window()->source().toLocalFile().endsWith("chs/ICBatchCodeRule.html"));
    // The modal editor leaves the help window to the user: it scrolls.
    QScrollBar* scroll = viewer->Window()->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    QTest::keyClick(viewer->Window()->windowHandle(), Qt::Key_PageDown);   // through the window system, as a user
    EXPECT_GT(scroll->value(), 0);
}

TEST_F(EditorWindow, HelpThatFailsIsShownNotCrashed)
{
    // A viewer the host cannot make.
    ComponentRegistry::Instance().Register(ComponentNames::HelpViewer, [] { return nullptr; });
    OpenOnMaterial();
    User::Press(Qt::Key_F1);
    ASSERT_EQ(RecordingMessageBox::shown.size(), 1);
    EXPECT_TRUE(RecordingMessageBox::shown[0].text.contains("VellCHMResTool.ClsCHMHelp"))
        << RecordingMessageBox::shown[0].text.toStdString();
    EXPECT_EQ(RecordingMessageBox::shown[0].title, "砚川提示");
    EXPECT_TRUE(window.isVisible());
}

QString FullText(QLabel* line)
{
    return line->property("fullText").toString();
}

TEST_F(EditorWindow, PreviewLineShowsTheSampleNumberAsTheUserEdits)
{
    OpenOnMaterial();
    auto* preview = Find<QLabel>("lblPreview");
    const QString month = QDate::currentDate().toString("yyMM");
    // 101: the sample supplier code cut to 6, "-", yymm, a serial of 3 from 1.
    EXPECT_EQ(preview->text(), "示例批号：02.001-" + month + "001");
    EXPECT_TRUE(preview->toolTip().contains("提示：第4级的流水号长3位，每月最多999个批次")) << preview->toolTip().toStdString();
    user.Enter(RuleGrid::Length, 4, "5");
    EXPECT_EQ(preview->text(), "示例批号：02.001-" + month + "00001");
    ASSERT_TRUE(user.Choose(RuleGrid::Format, 3, "yyyymmdd"));
    EXPECT_EQ(preview->text(), "示例批号：02.001-" + QDate::currentDate().toString("yyyyMMdd") + "00001");
    ASSERT_TRUE(user.ChooseProperty(4, 25));
    EXPECT_EQ(preview->text(), "示例批号：02.001-" + QDate::currentDate().toString("yyyyMMdd") + "01");
    EXPECT_FALSE(preview->toolTip().contains("警告：规则中既没有日期也没有流水号")) << "the date is still there";
    Levels("1");
    EXPECT_EQ(preview->text(), "示例批号：02.001");
    EXPECT_TRUE(preview->toolTip().contains("警告：规则中既没有日期也没有流水号")) << preview->toolTip().toStdString();
    EXPECT_TRUE(RecordingMessageBox::shown.isEmpty());
    EXPECT_TRUE(Sent().isEmpty()) << "the preview reads nothing while the user edits";
}

// The sample follows each keystroke of a cell being edited, before Enter;
// Esc puts back the number of the rule as it stands.
TEST_F(EditorWindow, PreviewLineFollowsTheTypingBeforeTheCommit)
{
    OpenOnMaterial();
    auto* preview = Find<QLabel>("lblPreview");
    const QString month = QDate::currentDate().toString("yyMM");
    user.Click(RuleGrid::Length, 4);
    struct Key {
        const char* typed;
        const char* serial;
    };
    for (const Key key : {Key{"5", "00001"}, Key{"\b4", "0001"}}) {
        for (const char typed : std::string(key.typed))
            typed == '\b' ? User::Press(Qt::Key_Backspace) : User::Type(QString(QChar(typed)));
        EXPECT_EQ(preview->text(), "示例批号：02.001-" + month + key.serial) << "after typing " << key.typed;
    }
    EXPECT_EQ(Cell(RuleGrid::Length, 4), "3") << "nothing committed yet";
    User::Press(Qt::Key_Escape);
    User::Settle();
    EXPECT_EQ(preview->text(), "示例批号：02.001-" + month + "001") << "Esc: the rule as it stands";
}

TEST_F(EditorWindow, PreviewLineTakesTheMaterialsOwnCodeAndKeepsOkAsItWas)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    auto* preview = Find<QLabel>("lblPreview");
    EXPECT_EQ(preview->text(), "示例批号：") << "no rule yet";
    ASSERT_TRUE(user.ChooseProperty(1, 4));
    ASSERT_TRUE(user.Choose(RuleGrid::Format, 1, "长代码"));
    user.Enter(RuleGrid::Length, 1, "8");
    user.Enter(RuleGrid::Pad, 1, "*");
    EXPECT_EQ(preview->text(), "示例批号：02.001**");
    PressOk();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(db.Rows("SELECT FPropertyID,FWidth,FCharacter FROM ICBatchNoRule WHERE FItemID=201"), "4|8|*");
}

TEST_F(EditorWindow, PreviewLineSaysSoWhenTheRuleHasAnError)
{
    OpenOnMaterial();   // row 4: a serial of length 3 from 1
    auto* preview = Find<QLabel>("lblPreview");
    const QColor plain = preview->palette().color(QPalette::WindowText);
    user.Enter(RuleGrid::Format, 4, "1000");
    EXPECT_TRUE(preview->text().startsWith("示例批号（有误）：")) << preview->text().toStdString();
    const QColor error = preview->palette().color(QPalette::WindowText);
    EXPECT_GT(error.red(), 2 * std::max(error.green(), error.blue())) << error.name().toStdString();
    user.Enter(RuleGrid::Length, 4, "4");
    EXPECT_TRUE(preview->text().startsWith("示例批号：")) << preview->text().toStdString();
    EXPECT_EQ(preview->palette().color(QPalette::WindowText), plain);
}

TEST_F(EditorWindow, ALongNumberIsCutInTheLineAndWholeInItsTooltip)
{
    OpenOnMaterial(201, "02.001(主控电路板组件)", 4, "02(半成品)");
    ASSERT_TRUE(user.ChooseProperty(1, 24));
    user.Enter(RuleGrid::Format, 1, QString(60, 'L'));
    auto* preview = Find<QLabel>("lblPreview");
    EXPECT_TRUE(preview->text().endsWith(QChar(0x2026))) << preview->text().toStdString();
    EXPECT_TRUE(preview->toolTip().startsWith("示例批号：" + QString(60, 'L')));
    EXPECT_LE(preview->fontMetrics().horizontalAdvance(preview->text()), preview->contentsRect().width());
}

TEST_F(EditorWindow, SpreadLineCountsApartAndFollowsTheOption)
{
    OpenOnGroup(7, "03.02(食品饮料)");
    auto* spread = Find<QLabel>("lblSpread");
    EXPECT_TRUE(spread->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return spread->text() != "正在统计将更改的物料……"; }, 10000));
    EXPECT_EQ(spread->text(), "将更改 0 个物料的规则（保留 3 个）") << "the stored option spares own rules";
    Find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    Tick(Find<QCheckBox>("ckItemIsTop"));
    EXPECT_EQ(spread->text(), "将更改 3 个物料的规则");
    EXPECT_TRUE(spread->isVisible()) << "in sight of the option";
    EXPECT_TRUE(Sent().isEmpty()) << "the count has a connection of its own";
    EXPECT_TRUE(RecordingMessageBox::shown.isEmpty());
}

TEST_F(EditorWindow, SpreadLineComesWithTheGroupChoiceOnAMaterial)
{
    OpenOnMaterial();
    auto* spread = Find<QLabel>("lblSpread");
    EXPECT_FALSE(spread->isVisible());
    Tick(Find<QRadioButton>("optGroupItem"));
    EXPECT_TRUE(spread->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return spread->text() == "将更改 1 个物料的规则（保留 1 个）"; }, 10000))
        << spread->text().toStdString() << ": 01.01.002 has no rule, 01.01.001 keeps its own";
    Tick(Find<QRadioButton>("optSingleItem"));
    EXPECT_FALSE(spread->isVisible());
}

// The count may outlive the window: the window ends only after it, and its answer goes nowhere.
TEST_F(EditorWindow, AWindowClosedWhileItCountsEndsCleanly)
{
    for (int i = 0; i < 3; ++i) {
        auto* counting = new frmBatRuleSet;
        counting->ParentItemNumberName = "物料";
        counting->Form_Load();
        counting->show();
        EXPECT_EQ(FullText(counting->findChild<QLabel*>("lblSpread")), "正在统计将更改的物料……");
        delete counting;
    }
    User::Settle();
    EXPECT_TRUE(RecordingMessageBox::shown.isEmpty());
}

TEST_F(EditorWindow, LookAheadLinesSitUnderTheGridLeftOfTheButtons)
{
    OpenOnGroup(7, "03.02(食品饮料)");
    const QRect preview = Find<QLabel>("lblPreview")->geometry();
    const QRect spread = Find<QLabel>("lblSpread")->geometry();
    const QRect tabs = Find<QTabWidget>("SSTab1")->geometry();
    EXPECT_GT(preview.top(), tabs.bottom() + 1);
    EXPECT_GE(spread.top(), preview.bottom());
    const int buttonsMargin = Twips(0, 0, 0, 90).height();
    EXPECT_GE(window.rect().bottom() - spread.bottom(), buttonsMargin) << "clear of the window's edge";
    EXPECT_LT(preview.right(), Find<QPushButton>("cmdOK")->geometry().left());
    EXPECT_GE(preview.height(), Find<QLabel>("lblPreview")->fontMetrics().height()) << "a whole line of text";
}

// What a user reads must fit where the window puts it.
QStringList ClippedTexts(frmBatRuleSet& window)
{
    QStringList clipped;
    auto fits = [&](QWidget* widget, bool fit) {
        if (!fit)
            clipped << widget->objectName();
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        if (label->wordWrap())
            fits(label, label->heightForWidth(label->width()) <= label->height());
        else
            fits(label, label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
    }
    auto* tabs = window.findChild<QTabWidget*>("SSTab1");
    for (int tab : {0, 1}) {
        tabs->setCurrentIndex(tab);
        for (QAbstractButton* button : tabs->widget(tab)->findChildren<QAbstractButton*>())
            if (button->isVisible() && !qobject_cast<QPushButton*>(button))
                fits(button, button->sizeHint().width() <= button->width());
    }
    tabs->setCurrentIndex(0);
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        const QString text = QString(button->text()).remove('&');
        fits(button, button->fontMetrics().horizontalAdvance(text) + 8 <= button->width());
    }
    auto& grid = *window.findChild<SpreadGrid*>("vsBatRule");
    RuleGrid& cells = CellsOf(grid);
    const int margin = grid.horizontalHeader()->style()->pixelMetric(QStyle::PM_HeaderMargin);
    const int cellMargins = 7;   // the text margins of a cell and its grid line
    for (int column = 1; column <= RuleGrid::ColumnCount; ++column) {
        const int width = grid.columnWidth(column - 1);
        if (grid.fontMetrics().horizontalAdvance(cells.Text(column, 0)) + 2 * margin > width)
            clipped << "header " + cells.Text(column, 0);
        QStringList texts;
        for (int row = 1; row <= cells.RowCount(); ++row)
            texts << cells.Text(column, row) << cells.CellFormatOf(column, row).items;
        for (const QString& text : texts)
            if (grid.fontMetrics().horizontalAdvance(text) + cellMargins > width)
                clipped << "cell " + text;
    }
    // Every level in sight at once, under a header of a whole line.
    if (grid.horizontalHeader()->height() < grid.fontMetrics().height())
        clipped << "header height";
    for (int row = 1; row <= cells.RowCount(); ++row) {
        const QRect cells = grid.visualRect(grid.model()->index(row - 1, 0));
        if (!grid.viewport()->rect().contains(cells) || cells.height() < grid.fontMetrics().height())
            clipped << "row " + QString::number(row);
    }
    clipped.removeDuplicates();
    return clipped;
}

// Every caption of the window, with where it is shown.
QStringList Captions(frmBatRuleSet& window)
{
    QStringList captions{window.windowTitle()};
    for (QLabel* label : window.findChildren<QLabel*>())
        captions << label->text();
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        captions << button->text();
    auto* tabs = window.findChild<QTabWidget*>("SSTab1");
    captions << tabs->tabText(0) << tabs->tabText(1);
    auto& grid = *window.findChild<SpreadGrid*>("vsBatRule");
    RuleGrid& cells = CellsOf(grid);
    for (int column = 1; column <= RuleGrid::ColumnCount; ++column)
        captions << cells.Text(column, 0);
    captions.removeAll(QString());
    return captions;
}

// The characters of the captions that the window's font cannot draw (they would show as boxes).
QString MissingGlyphs(frmBatRuleSet& window)
{
    const QFontMetrics metrics(window.font());
    QString missing;
    for (const QString& caption : Captions(window))
        for (const QChar character : caption)
            if (!character.isSpace() && !metrics.inFont(character) && !missing.contains(character))
                missing += character;
    return missing;
}

TEST_F(EditorWindow, EveryTextFitsInSimplifiedChinese)
{
    OpenOnMaterial();
    Levels("8");
    for (int row = 1; row <= 8; ++row)
        ASSERT_TRUE(user.Choose(RuleGrid::Property, row, SpreadConsole::PropertyListText()[row + 3]));
    EXPECT_EQ(ClippedTexts(window), QStringList());
    EXPECT_TRUE(QFontInfo(grid.font()).family().contains("CJK")) << "宋体 stands in through Noto CJK";
    EXPECT_EQ(MissingGlyphs(window), QString());
}

class EditorWindowIn : public EditorWindow, public testing::WithParamInterface<const char*> {
protected:
    EditorWindowIn() : EditorWindow(QStringLiteral("UserID=16394;SUBID=IC;LANGUAGE=") + GetParam()) {}
};

TEST_P(EditorWindowIn, TranslatesAndFitsEveryText)
{
    OpenOnMaterial();
    Levels("8");
    for (int row = 1; row <= 8; ++row)
        ASSERT_TRUE(user.Choose(RuleGrid::Property, row, SpreadConsole::PropertyListText()[row + 3]));
    EXPECT_EQ(ClippedTexts(window), QStringList());
    EXPECT_EQ(MissingGlyphs(window), QString());
    const QString language = GetParam();
    if (language == "en") {
        static const QRegularExpression chinese(R"([\x{4e00}-\x{9fff}])");
        for (const QString& caption : Captions(window))
            EXPECT_FALSE(caption.contains(chinese)) << caption.toStdString();
    } else {
        EXPECT_EQ(window.windowTitle(), "批號管理----編碼設置");
        EXPECT_EQ(window.findChild<QPushButton*>("cmdOK")->text(), "確定(&Y)");
        EXPECT_EQ(cells.Text(RuleGrid::Pad, 0), "補位符");
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, EditorWindowIn, testing::Values("cht", "en"));

}
