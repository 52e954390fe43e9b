// The main window as a user drives it: keys, clicks and the editor it opens,
// on a temporary demo database through the real host connection.
#include "BatchTexts.h"
#include "GridUser.h"
#include "GroupTreeModel.h"
#include "SpreadGrid.h"
#include "HelpViewer.h"
#include "LedgerGrid.h"
#include "RuleFixture.h"
#include "TestSupport.h"
#include "frmBatRuleMain.h"
#include "frmBatRuleSet.h"
#include "BatRuleEditor.h"
#include "GridTyping.h"
#include "SpreadGridModel.h"

#include <QAction>
#include <QHeaderView>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QPrintDialog>
#include <QRubberBand>
#include <QSplitter>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPageSetupDialog>
#include <QScrollArea>
#include "LedgerPreview.h"
#include <QPrinter>
#include <QTemporaryDir>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QAbstractItemModelTester>
#include <QTreeView>
#include <QHelpEvent>
#include <QScreen>
#include <QToolTip>

namespace {

class RecordingHelp : public HelpViewer {
public:
    static inline QStringList shown;
    void ShowHELP(qint32& n1, qint16, QString& topic, qint32&, QString& subsystem, qint32&) override
    {
        shown << QStringLiteral("%1:%2:%3").arg(n1).arg(topic, subsystem);
    }
};

// What the editor was opened on, read off the open window, which is then cancelled.
struct Opened {
    qint32 itemId = -1, parentId = -1;
    QString itemText, parentText;
    bool singleItem = false;
};

class MainWindow : public RuleFixture {
protected:
    explicit MainWindow(const QString& props = "UserID=16394;LANGUAGE=chs;SUBID=HS") : RuleFixture(props)
    {
        RecordingHelp::shown.clear();
        ComponentRegistry::Instance().Register(ComponentNames::HelpViewer, [] { return std::make_shared<RecordingHelp>(); });
    }

    void Load()
    {
        window.Form_Load();
        ASSERT_TRUE(ShowActive(window));
    }

    template <typename Control>
    Control* Find(const QString& name)
    {
        auto* control = window.findChild<Control*>(name);
        EXPECT_TRUE(control) << name.toStdString();
        return control;
    }
    QTreeView* Tree() { return Find<QTreeView>("tvBatRule"); }
    QModelIndex Node(const QString& key) { return static_cast<GroupTreeModel*>(Tree()->model())->IndexOfKey(key); }
    QString CurrentNodeText() { return Tree()->currentIndex().data().toString(); }
    LedgerGrid* Ledger() { return Find<LedgerGrid>("ldgBatRule"); }
    QAction* Command(const char* id) { return Find<QAction>(id); }
    QString Status(int panel) { return Find<QLabel>(QString("sbPanel%1").arg(panel))->text(); }

    void ClickGroup(const QString& key)
    {
        const QModelIndex node = Node(key);
        ASSERT_TRUE(node.isValid()) << "no node " << key.toStdString();
        Tree()->scrollTo(node);
        const QRect item = Tree()->visualRect(node);
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, QPoint(item.left() + 10, item.center().y()));
        User::Settle();
    }
    void ClickLedgerRow(int ledgerRow)
    {
        const QRect cell = Ledger()->visualRect(Ledger()->model()->index(ledgerRow - 2, 1));
        QTest::mouseClick(Ledger()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // Runs the step that opens the editor and reports what it was opened on.
    Opened OpenEditorBy(const std::function<void()>& step)
    {
        Opened opened;
        User::WhenModalOpens([&](QWidget* modal) {
            if (auto* editor = qobject_cast<frmBatRuleSet*>(modal)) {
                opened = {editor->ItemID, editor->ParentItemID, editor->ItemNumberName, editor->ParentItemNumberName,
                          editor->findChild<QRadioButton*>("optSingleItem")->isChecked()};
            }
            modal->close();
        });
        step();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return opened;
    }

    // Batches other than the rule queries a paint of the ledger makes.
    QStringList OtherBatchesSince(int batch) const
    {
        QStringList others;
        for (qsizetype i = batch; i < connection->batches.size(); ++i)
            if (!connection->batches[i].contains(" From ICBatchNoRule\r\n"))
                others << connection->batches[i];
        return others;
    }

    int RuleQueriesSince(int batch) const
    {
        int queries = 0;
        for (qsizetype i = batch; i < connection->batches.size(); ++i)
            queries += connection->batches[i].contains(" From ICBatchNoRule\r\n");
        return queries;
    }

    frmBatRuleMain window;
};

TEST_F(MainWindow, OpensOnTheTreeWithTheRootSelectedAndItsMaterials)
{
    Load();
    EXPECT_EQ(window.windowTitle(), "批号管理");
    QAbstractItemModel* model = Tree()->model();
    const QModelIndex root = model->index(0, 0);
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(root.data().toString(), "物料");
    EXPECT_EQ(Tree()->currentIndex(), root);
    EXPECT_EQ(model->index(0, 0, root).data().toString(), "01(原材料)");
    EXPECT_EQ(model->index(1, 0, model->index(0, 0, root)).data(Qt::UserRole).toString(), "K3");
    EXPECT_TRUE(Tree()->isExpanded(Node("K5")));   // 03, above the last group 03.02, is made visible
    EXPECT_TRUE(Tree()->isExpanded(root));
    EXPECT_EQ(Ledger()->Rows(), 1);
    EXPECT_EQ(Status(2), "共有0条记录");
    EXPECT_EQ(Ledger()->model()->headerData(1, Qt::Horizontal).toString(), "物料代码");
    EXPECT_TRUE(Ledger()->isColumnHidden(0));
}

TEST_F(MainWindow, TreeModelKeepsTheItemModelContract)
{
    Load();
    QAbstractItemModelTester tester(Tree()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_TRUE(Node("K7").isValid());
    EXPECT_EQ(Node("K7").parent(), Node("K5"));
}

TEST_F(MainWindow, ClickingAGroupShowsItsMaterialsWithTheirRules)
{
    Load();
    ClickGroup("K7");
    EXPECT_EQ(Status(2), "共有3条记录");
    EXPECT_EQ(Status(1), "");
    ASSERT_EQ(Ledger()->Rows(), 4);
    EXPECT_EQ(Ledger()->CellText(2, 1), "311");
    EXPECT_EQ(Ledger()->CellText(2, 4), "[日期]+[流水号]");
    db.Connection().Execute(BatchTexts::ItemSave(312, {{1, 25, 0, "00", "", 2, "", ""}}));
    QTest::keyClick(Tree(), Qt::Key_F5);
    EXPECT_EQ(Ledger()->CellText(3, 4), "[行号]");   // a single element has no "+"
    ClickGroup("K2");
    EXPECT_EQ(Status(2), "共有2条记录");
}

TEST_F(MainWindow, RootShowsTheMaterialsWithoutAGroup)
{
    db.Connection().Execute("INSERT INTO t_ICItem VALUES (900, '900', '散件', 0, 1)");
    Load();
    EXPECT_EQ(Status(2), "共有1条记录");
    EXPECT_EQ(Ledger()->CellText(2, 3), "散件");
}

TEST_F(MainWindow, EachPaintedRowCostsOneRuleQuery)
{
    Load();
    ClickGroup("K7");
    const int sent = connection->batches.size();
    Ledger()->viewport()->repaint();
    EXPECT_EQ(RuleQueriesSince(sent), 3);
}

TEST_F(MainWindow, GroupBeforeItsParentStopsTheTreeWithItsMessage)
{
    db.Connection().Execute("UPDATE t_Item SET FNumber = '00' WHERE FItemID = 6");
    Load();
    ASSERT_FALSE(Messages().isEmpty());
    EXPECT_EQ(Messages().first(), "Element not found: K5\r\nLoadingParentICItem \r\n错误原因：Element not found: K5\r\n"
                                  "错误来源：tvBatRule");
    EXPECT_EQ(Tree()->model()->rowCount(), 1);
    EXPECT_EQ(Tree()->model()->rowCount(Tree()->model()->index(0, 0)), 0);
}

// Answers the next message box that opens with `button`, keeping its text;
// gives up after a few seconds, so that no later test's box is answered.
void AnswerNextBox(QMessageBox::StandardButton button, QString* text = nullptr, int patience = 300)
{
    QTimer::singleShot(10, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (patience > 0)
                AnswerNextBox(button, text, patience - 1);
            return;
        }
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

// The history of the material the ledger points at, newest first; a
// restore asks, lands through its checks, and over a newer change asks
// again and writes nothing when the user declines.
TEST_F(MainWindow, HistoryListsTheMaterialsChangesAndRestoresOneAfterAsking)
{
    QStringList stages{Rules()};
    for (const auto& [property, format] : {std::pair{23, "yymmdd"}, std::pair{25, "000"}}) {
        SpreadGridModel grid;
        BatRuleEditor editor(grid);
        editor.ItemID = 312;
        editor.ItemNumberName = "03.02.002(绿茶饮料 500ml)";
        editor.historySource = "editor";
        editor.Open();
        editor.SetLevelText("1");
        Row(grid, 1, property, format);
        ASSERT_TRUE(editor.Commit().closed);
        stages << Rules();
    }
    Load();
    ClickGroup("K7");
    ClickLedgerRow(3);
    QStringList listed;
    QString conflict;
    int rowsAfter = 0;
    User::WhenModalOpens([&](QWidget* modal) {
        auto* table = modal->findChild<QTableView*>("tblHistory");
        const auto cell = [&](int row, int column) { return table->model()->index(row, column).data().toString(); };
        for (int row = 0; row < table->model()->rowCount(); ++row)
            listed << cell(row, 0) + "|" + cell(row, 2) + "|" + cell(row, 3) + "|" + cell(row, 5) + " → " + cell(row, 6);
        AnswerNextBox(QMessageBox::Yes);
        EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == table; })) << "the list has the keyboard";
        QTest::keyClick(table, Qt::Key_R, Qt::AltModifier);   // the button clicks itself a moment later
        static_cast<void>(QTest::qWaitFor([&] { return table->model()->rowCount() == 3; }));   // rowsAfter says whether it came
        rowsAfter = table->model()->rowCount();
        table->selectRow(1);   // entry 2, which the restore has undone
        AnswerNextBox(QMessageBox::Yes);
        AnswerNextBox(QMessageBox::No, &conflict);
        EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
        QTest::keyClick(table, Qt::Key_R, Qt::AltModifier);
        static_cast<void>(QTest::qWaitFor([&] { return !conflict.isEmpty(); }));   // the conflict text says whether it came
        EXPECT_TRUE(QTest::qWaitForWindowActive(modal)) << "the window has the keyboard after its boxes";
        QTest::keyClick(table, Qt::Key_F1);
        modal->close();
    });
    Ledger()->setFocus();
    User::Press(Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(listed, QStringList({"2|16394|编辑器|[日期] → [行号]", "1|16394|编辑器|[物料代码]+[日期]+[流水号] → [日期]"}));
    EXPECT_EQ(rowsAfter, 3) << "the restore is on record";
    EXPECT_TRUE(conflict.startsWith("03.02.002(绿茶饮料 500ml)的批号规则在历史记录2之后已被更改（记录3")) << conflict.toStdString() << Messages().join("|").toStdString();
    EXPECT_TRUE(conflict.contains("经恢复更改")) << "the source in the session's language: " << conflict.toStdString();
    EXPECT_EQ(Rules(), stages[1]) << "back to the rule before entry 2, and no further";
    EXPECT_EQ(RecordingHelp::shown, QStringList{"0:ICBatchCodeRule:CC"}) << "F1 in the history window";
}

// A screen reader finds a name for every control the keyboard reaches, in
// the main window and in the editor it opens, and reads a grid's current
// cell with its row and its column's caption.
TEST_F(MainWindow, EveryControlTheKeyboardReachesHasAName)
{
    Load();
    ClickGroup("K7");
    EXPECT_EQ(User::UnnamedControls(&window), QStringList());
    EXPECT_EQ(Tree()->accessibleName(), "物料组");
    ClickLedgerRow(3);
    User::Press(Qt::Key_Right);
    EXPECT_EQ(User::CurrentCellSpoken(Ledger()), "row 2, 物料名称: 绿茶饮料 500ml");
    QStringList unnamedInEditor{"not opened"};
    QString spokenInEditor;
    User::WhenModalOpens([&](QWidget* modal) {
        unnamedInEditor = User::UnnamedControls(modal);
        auto* grid = modal->findChild<QTableView*>("vsBatRule");
        grid->setCurrentIndex(grid->model()->index(0, 1));
        spokenInEditor = User::CurrentCellSpoken(grid);
        modal->close();
    });
    Tree()->setFocus();
    User::Press(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(unnamedInEditor, QStringList());
    EXPECT_EQ(spokenInEditor, "row 1, 属性: 物料代码(4)");
}

TEST_F(MainWindow, RuleCommandOpensTheEditorForWhatHasTheFocus)
{
    Load();
    ClickGroup("K7");
    Tree()->setFocus();
    Opened byTree = OpenEditorBy([] { User::Press(Qt::Key_M, Qt::ControlModifier); });
    EXPECT_EQ(byTree.parentId, 7);
    EXPECT_EQ(byTree.parentText, "03.02(食品饮料)");
    EXPECT_EQ(byTree.itemText, "");
    EXPECT_FALSE(byTree.singleItem);

    ClickLedgerRow(3);
    Opened byRow = OpenEditorBy([this] { QTest::mouseClick(Find<QToolButton>("Rule"), Qt::LeftButton); });
    EXPECT_EQ(byRow.itemId, 312);
    EXPECT_EQ(byRow.itemText, "03.02.002(绿茶饮料 500ml)");
    EXPECT_EQ(byRow.parentId, 7);
    EXPECT_TRUE(byRow.singleItem);

    Ledger()->setFocus();
    Opened byActivation = OpenEditorBy([] { User::Press(Qt::Key_Return); });
    EXPECT_EQ(byActivation.itemId, 312);

    QTest::mouseClick(Ledger()->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(30, 5));
    Opened byHeader = OpenEditorBy([] { User::Press(Qt::Key_M, Qt::ControlModifier); });
    EXPECT_EQ(byHeader.itemId, 0);
    EXPECT_EQ(byHeader.parentId, 7);
}

TEST_F(MainWindow, EditorLoadsOncePerOpening)
{
    Load();
    ClickGroup("K7");
    ClickLedgerRow(3);
    const int sent = connection->batches.size();
    QStringList untilShown;
    User::WhenModalOpens([&](QWidget* modal) {
        untilShown = connection->batches.mid(sent);
        modal->close();
    });
    QTest::mouseClick(Find<QToolButton>("Rule"), Qt::LeftButton);
    EXPECT_EQ(untilShown.count(BatchTexts::ReadOptions()), 1) << untilShown.join("\n---\n").toStdString();
}

TEST_F(MainWindow, RootEditsTheRootsRuleAndCancelReloadsTheLedger)
{
    Load();
    Tree()->setFocus();
    const int sent = connection->batches.size();
    Opened root = OpenEditorBy([] { User::Press(Qt::Key_M, Qt::ControlModifier); });
    EXPECT_EQ(root.parentId, 0);
    EXPECT_EQ(root.parentText, "物料");
    QStringList after = connection->batches.mid(sent);
    EXPECT_EQ(after.last(), BatchTexts::FetchItemDetail(0));   // reloaded after the editor closed
}

TEST_F(MainWindow, SavedRuleShowsInTheLedger)
{
    Load();
    ClickGroup("K2");
    ClickLedgerRow(3);   // 102, without a rule
    User::WhenModalOpens([](QWidget* modal) {
        auto* level = modal->findChild<QLineEdit*>("txtLevel");
        level->setText("1");
        auto* grid = modal->findChild<SpreadGrid*>("vsBatRule");
        GridUser user(*grid);
        user.ChooseProperty(1, 25);
        QTest::keyClick(modal, Qt::Key_Y, Qt::AltModifier);
    });
    User::Press(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(Ledger()->CellText(3, 4), "[行号]");
    EXPECT_EQ(db.Scalar("SELECT FPropertyID FROM ICBatchNoRule WHERE FItemID = 102"), "25");
}

// 搜索 (F3): the box lists as the text is typed, in either width; Enter goes
// to the first match, its group in the tree and the material in the ledger,
// and F3, in the box or the window, to the next; Esc gives the keyboard back.
TEST_F(MainWindow, FindListsAsTypedAndGoesToEachMatchInTurn)
{
    Load();
    Tree()->setFocus();
    User::Press(Qt::Key_F3);
    auto* box = window.findChild<QDialog*>("frmBatRuleFind");
    ASSERT_TRUE(box);
    auto* text = box->findChild<QLineEdit*>("txtFind");
    auto* list = box->findChild<QTreeView*>("lvFound");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == text; })) << "the text has the keyboard";
    User::Type("饮料");
    const auto listed = [&] {
        QStringList rows;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            rows << list->model()->index(row, 0).data().toString() + " " + list->model()->index(row, 1).data().toString();
        return rows;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == 3; })) << listed().join('|').toStdString();
    EXPECT_EQ(listed(), QStringList({"物料组 03.02", "物料 03.02.002", "物料 03.02.003"}));
    EXPECT_EQ(box->findChild<QLabel*>("lblFound")->text(), "物料组：1　物料：2　（Enter 转到，F3 下一个）");
    EXPECT_EQ(User::UnnamedControls(box), QStringList());
    QTest::keyClick(text, Qt::Key_Down);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(CurrentNodeText(), "03.02(食品饮料)");
    EXPECT_EQ(Ledger()->CellText(Ledger()->CurrentRow(), 2), "03.02.002");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Ledger(); })) << "the ledger has the keyboard";
    User::Press(Qt::Key_F3);
    EXPECT_EQ(Ledger()->CellText(Ledger()->CurrentRow(), 2), "03.02.003");
    User::Press(Qt::Key_F3);
    EXPECT_EQ(CurrentNodeText(), "03.02(食品饮料)");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Tree(); })) << "a group: the tree";

    box->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == text; }));
    text->clear();
    User::Type("Ｅ－５１");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == 1; }));
    User::Press(Qt::Key_F3);
    EXPECT_EQ(CurrentNodeText(), "01.02(化工原料)");
    EXPECT_EQ(Ledger()->CellText(Ledger()->CurrentRow(), 3), "环氧树脂 E-51");
    box->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == text; }));
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Ledger(); })) << "the window's control again";
}

TEST_F(MainWindow, DisabledCommandsAndButtonsDoNothing)
{
    Load();
    ClickGroup("K7");
    const int sent = connection->batches.size();
    for (const auto key : {Qt::Key_S, Qt::Key_N, Qt::Key_D})
        User::Press(key, Qt::ControlModifier);
    for (const auto key : {Qt::Key_F2, Qt::Key_F4})
        User::Press(key);
    for (const char* button : {"AddNew", "Modify", "Delete"})
        QTest::mouseClick(Find<QToolButton>(button), Qt::LeftButton);
    EXPECT_EQ(OtherBatchesSince(sent), QStringList());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window.isVisible());
}

// Each menu as designed: caption, shortcut, "off" for a command never usable,
// "ticked" for a check mark, "-" for a separator line.
TEST_F(MainWindow, MenusHoldTheDesignedCommands)
{
    Load();
    const QList<QPair<QString, QStringList>> designed{
        {"文件(&F)", {"保存(&S) Ctrl+S off", "-", "打印(&P)", "打印预览(&V)", "打印设置(&R)", "-",
                      "引出数据(&O)... off", "-", "退出(&X)"}},
        {"编辑(&E)", {"管理(&M) Ctrl+M", "新增(&N) Ctrl+N off", "删除(&D) Ctrl+D off", "-", "汇总(&H)... F2 off ticked",
                      "搜索(&F)... F3", "排序(&S)... F4 off", "过滤(&F)... off"}},
        {"查看(&V)", {"-", "刷新 F5", "保存后立即刷新 off ticked", "-", "更改历史(&Y)... Ctrl+H"}},
        {"格式(&L)", {"工具条(&T) ticked", "工具条标签(&L) ticked", "状态条(&S) ticked"}},
        {"帮助(&H)", {"帮助手册(&C) F1"}}};
    const auto described = [](const QAction* item) {
        if (item->isSeparator())
            return QString("-");
        QStringList parts{item->text()};
        if (!item->shortcut().isEmpty())
            parts << item->shortcut().toString();
        if (!item->isEnabled())
            parts << "off";
        if (item->isChecked())
            parts << "ticked";
        return parts.join(' ');
    };
    const QList<QAction*> bar = Find<QMenuBar>("MainMenu")->actions();
    ASSERT_EQ(bar.size(), designed.size());
    for (qsizetype i = 0; i < bar.size(); ++i) {
        EXPECT_EQ(bar[i]->text(), designed[i].first);
        QStringList items;
        for (const QAction* item : bar[i]->menu()->actions())
            items << described(item);
        EXPECT_EQ(items, designed[i].second) << designed[i].first.toStdString();
    }
}

// A toolbar button is its menu command: the same action, state and all.
TEST_F(MainWindow, ToolbarButtonsAreTheirMenuCommands)
{
    Load();
    QStringList buttons;
    for (QAction* action : Find<QToolBar>("tbBatRule")->actions())
        buttons << (action->isSeparator() ? QString("-") : Find<QToolBar>("tbBatRule")->widgetForAction(action)->objectName());
    EXPECT_EQ(buttons.join(' '), "- AddNew Rule Modify Delete - Refresh History Print PrintPreView - Exit");
    const QList<QPair<const char*, const char*>> shared{{"AddNew", "mcEAddNew"}, {"Rule", "mcERule"},
        {"Delete", "mcEDelete"}, {"Refresh", "mcVRefresh"}, {"History", "mcVHistory"}, {"Print", "mcFPrint"}, {"PrintPreView", "mcFPrintPreview"},
        {"Exit", "mcExit"}};
    for (const auto& [button, command] : shared)
        EXPECT_EQ(Find<QToolButton>(button)->defaultAction(), Command(command)) << button;
    EXPECT_EQ(Find<QToolButton>("PrintPreView")->text(), "预览");
    EXPECT_EQ(Find<QToolButton>("PrintPreView")->toolTip(), "打印预览");
    EXPECT_FALSE(Find<QToolButton>("Modify")->isEnabled());
    // Pictures from the desktop's icon theme, the common one where it names none.
    EXPECT_EQ(Command("mcFPrint")->icon().name(), "document-print");
    EXPECT_EQ(Command("mcFPrintPreview")->icon().name(), "document-print-preview");
    for (const auto& [button, command] : shared)
        EXPECT_FALSE(Find<QToolButton>(button)->icon().isNull()) << button;
    EXPECT_FALSE(Find<QToolButton>("Modify")->icon().isNull()) << "a picture the common theme holds";
    // The shortcut is the window's, whether or not its toolbar shows.
    Command("mcWToolBar")->trigger();
    ClickGroup("K7");
    const int sent = connection->batches.size();
    User::Press(Qt::Key_F5);
    EXPECT_GT(connection->batches.size(), sent);
}

TEST_F(MainWindow, ArrowAndPageKeysStayWithTheTreeAndLedger)
{
    Load();
    Tree()->setFocus();
    User::Press(Qt::Key_Down);
    EXPECT_EQ(CurrentNodeText(), "01(原材料)");
    ClickGroup("K7");
    ClickLedgerRow(2);
    User::Press(Qt::Key_Down);
    EXPECT_EQ(Ledger()->CurrentRow(), 3);
    User::Press(Qt::Key_PageDown);
    EXPECT_EQ(Ledger()->CurrentRow(), 4);
}

TEST_F(MainWindow, F1OpensTheHelpWithTheSubsystemTheHostMeans)
{
    Load();
    User::Press(Qt::Key_F1);
    EXPECT_EQ(RecordingHelp::shown, QStringList{"0:ICBatchCodeRule:CC"});   // SUBID HS is help's CC
}

TEST_F(MainWindow, SplitterDragStopsAtItsLimitsAndAResizeKeepsIt)
{
    Load();
    auto* splitter = Find<QSplitter>("splitter");
    QSplitterHandle* handle = splitter->handle(1);
    auto* tree = Tree();
    const auto twips = [&](int px) { return qRound(px * 1440.0 / window.logicalDpiX()); };
    const auto send = [&](QEvent::Type type, int x, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(x, 20), handle->mapToGlobal(QPointF(x, 20)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    const auto line = [&] { return splitter->findChild<QRubberBand*>(); };
    // The handle's left edge, counted in the window below the menu as the limits are.
    for (const bool toTheRight : {false, true}) {
        const int x = toTheRight ? 50000 : -5000;
        const int inner = twips(splitter->parentWidget()->width());
        const int left = toTheRight ? inner - 500 : 500;
        const int before = tree->width();
        send(QEvent::MouseButtonPress, 2, Qt::LeftButton);
        send(QEvent::MouseMove, x, Qt::LeftButton);
        ASSERT_TRUE(line() && line()->isVisible()) << "a line follows the drag";
        EXPECT_EQ(tree->width(), before) << "the panes stay until it is let go";
        send(QEvent::MouseButtonRelease, x, Qt::NoButton);
        User::Settle();
        EXPECT_TRUE(!line() || !line()->isVisible());
        EXPECT_NEAR(twips(splitter->x() + handle->x()), left, 20) << x;
        const int dragged = tree->width();
        window.showNormal();
        window.resize(window.width() + 40, window.height() - 40);
        User::Settle();
        EXPECT_NEAR(tree->width(), dragged, 2) << "a resize keeps the user's splitter for the session";
    }
}

TEST_F(MainWindow, WithoutToolbarAndStatusBarThePanesFillTheWindow)
{
    Load();
    for (const char* toggle : {"mcWToolBar", "mcWStatusBar"})
        Command(toggle)->trigger();
    EXPECT_FALSE(Find<QToolBar>("tbBatRule")->isVisible());
    EXPECT_FALSE(Find<QStatusBar>("sbBatRule")->isVisible());
    const auto twips = [&](int px) { return qRound(px * 1440.0 / window.logicalDpiX()); };
    QWidget* pane = Find<QWidget>("splitter");   // the tree and the ledger's pane side by side
    EXPECT_NEAR(twips(pane->y()), 50, 15);
    EXPECT_NEAR(twips(pane->parentWidget()->height() - pane->geometry().bottom() - 1), 30, 15);
    Command("mcWTBLable")->trigger();
    EXPECT_EQ(Find<QToolBar>("tbBatRule")->toolButtonStyle(), Qt::ToolButtonIconOnly);
    Command("mcWToolBar")->trigger();
    EXPECT_TRUE(Find<QToolBar>("tbBatRule")->isVisible());
    EXPECT_GT(pane->y(), Find<QToolBar>("tbBatRule")->geometry().bottom());
}

TEST_F(MainWindow, NarrowedWindowIsWidenedBack)
{
    Load();
    window.showNormal();
    window.resize(100, 400);
    User::Settle();
    EXPECT_GE(qRound(window.frameGeometry().width() * 1440.0 / window.logicalDpiX()), frmBatRuleMain::MinimumWidth - 15);
}

TEST_F(MainWindow, PrinterSetupPrintAndPreviewShareOnePrinter)
{
    Load();
    ClickGroup("K7");
    QPrinter* printer = &Ledger()->PrinterSetting();
    EXPECT_EQ(&Find<LedgerGrid>("LdgPrint")->PrinterSetting(), printer);
    QTemporaryDir out;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(out.filePath("printed.pdf"));

    User::WhenModalOpens([](QWidget* modal) {
        auto* setup = qobject_cast<QPageSetupDialog*>(modal);
        ASSERT_TRUE(setup) << "a page setup, not a print dialog";
        const auto* keep = setup->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        EXPECT_EQ(keep->text(), QCoreApplication::translate("QPlatformTheme", "Apply"));
        // As the user sets them in the dialog, which keeps them on its button.
        auto* paper = setup->findChild<QComboBox*>("pageSizeCombo");
        ASSERT_TRUE(paper);
        paper->setCurrentIndex(paper->findText("A5", Qt::MatchStartsWith));
        setup->findChild<QRadioButton*>("landscape")->click();
        setup->accept();
    });
    Command("mcFPrintSetup")->trigger();
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A5);

    Command("mcFPrint")->trigger();
    QFile printed(out.filePath("printed.pdf"));
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    const QByteArray pdf = printed.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595")) << "A5 landscape is 595 by 420 points";

    int previewPages = 0;
    User::WhenModalOpens([&](QWidget* modal) {
        auto* preview = qobject_cast<LedgerPreview*>(modal);
        ASSERT_TRUE(preview);
        previewPages = preview->Pages();
        modal->close();
    });
    QTest::mouseClick(Find<QToolButton>("PrintPreView"), Qt::LeftButton);
    EXPECT_EQ(previewPages, 1);
    // Printing sets the ledger's own font for the language.
    EXPECT_EQ(Ledger()->font().pointSizeF(), 9);
    EXPECT_TRUE(Ledger()->font().families().contains("宋体"));
}

TEST_F(MainWindow, EscClosesAnOpenMenuAndNeverTheWindow)
{
    Load();
    ClickGroup("K7");
    ClickLedgerRow(2);
    for (QWidget* view : {static_cast<QWidget*>(Tree()), static_cast<QWidget*>(Ledger())}) {
        view->setFocus();
        User::Press(Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible()) << view->objectName().toStdString();
    }
    User::Press(Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QApplication::activePopupWidget()) << "Alt+F opens the file menu";
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    User::Settle();
    EXPECT_FALSE(QApplication::activePopupWidget());
    User::Press(Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindow, LedgerColumnsTakeTheirSharesOfItsWidthWithCaptionsAtTheLeft)
{
    Load();
    const double width = Ledger()->width();
    const QList<QPair<int, double>> shares{{1, 1.0 / 4}, {2, 3.0 / 8}, {3, 6.0 / 8}};
    for (const auto& [column, share] : shares)
        EXPECT_NEAR(Ledger()->columnWidth(column), width * share, width / 100) << column;
    EXPECT_TRUE(Ledger()->horizontalHeader()->defaultAlignment() & Qt::AlignLeft);
}

TEST_F(MainWindow, TextsTheirCellCutsShowWholeInATooltip)
{
    Load();
    ClickGroup("K7");
    const auto tipAt = [](QAbstractItemView* view, const QModelIndex& index) {
        QToolTip::hideText();
        for (int wait = 0; wait < 100 && QToolTip::isVisible(); ++wait)
            QTest::qWait(10);
        const QRect item = view->visualRect(index);
        const QPoint at(std::min(item.center().x(), view->viewport()->width() - 4), item.center().y());
        QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString("(none)");
    };
    const QModelIndex root = Tree()->model()->index(0, 0);
    EXPECT_EQ(tipAt(Tree(), Tree()->model()->index(0, 0, root)), "01(原材料)");
    EXPECT_EQ(tipAt(Tree(), root), "(none)");
    QAbstractItemModel* rows = Ledger()->model();
    EXPECT_EQ(tipAt(Ledger(), rows->index(0, 1)), "(none)");
    Ledger()->setColumnWidth(2, 20);
    EXPECT_EQ(tipAt(Ledger(), rows->index(0, 2)), rows->index(0, 2).data().toString());
    QToolTip::hideText();
}

TEST_F(MainWindow, OnlyTheViewWithTheFocusPaintsItsSelectionInTheHighlight)
{
    Load();
    ClickGroup("K7");
    ClickLedgerRow(2);
    // The highlight is a strong colour, the selection without focus grey;
    // along the top edge of the current row, where no text is painted.
    const auto selection = [](QAbstractItemView* view) {
        const QRect row = view->visualRect(view->currentIndex());
        return view->viewport()->grab().toImage().pixelColor(std::min(row.center().x(), view->viewport()->width() - 4),
                                                            row.top() + 1);
    };
    for (QAbstractItemView* focused : {static_cast<QAbstractItemView*>(Ledger()), static_cast<QAbstractItemView*>(Tree())}) {
        focused->setFocus();
        User::Settle();
        for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(Ledger()), static_cast<QAbstractItemView*>(Tree())})
            EXPECT_EQ(selection(view).hsvSaturation() > 128, view == focused) << selection(view).name().toStdString()
                << view->objectName().toStdString() << " with the focus in " << focused->objectName().toStdString();
    }
}

// Having no printer chosen is no error: the print dialog chooses one; a
// printer that fails still shows the error box.
TEST_F(MainWindow, PrintWithoutAPrinterChoosesOneFirst)
{
    Load();
    ClickGroup("K7");
    QTemporaryDir out;
    QPrinter* printer = &Ledger()->PrinterSetting();
    struct Case {
        const char* chosen;   // "" when the dialog is cancelled
        bool printed;
    };
    for (const Case& step : {Case{"", false}, Case{"printed.pdf", true}, Case{"no/such/folder/x.pdf", false}}) {
        printer->setOutputFileName({});
        printer->setPrinterName({});
        RecordingMessageBox::shown.clear();
        QString dialog;
        const QString file = out.filePath(step.chosen);
        User::WhenModalOpens([&](QWidget* modal) {
            dialog = modal->objectName();
            if (*step.chosen == 0) {
                modal->close();
                return;
            }
            auto* choose = qobject_cast<QPrintDialog*>(modal);
            choose->printer()->setOutputFileName(file);
            choose->done(QDialog::Accepted);
        });
        Command("mcFPrint")->trigger();
        EXPECT_EQ(dialog, "LedgerPrintDialog") << step.chosen;
        EXPECT_EQ(QFile::exists(file) && step.printed, step.printed) << step.chosen;
        EXPECT_EQ(Status(1), step.printed ? "已将 1 页送往 " + file : QString()) << step.chosen;
        EXPECT_EQ(Messages().size(), *step.chosen && !step.printed ? 1 : 0) << step.chosen;
        User::Settle();
    }
    EXPECT_TRUE(Messages().value(0).startsWith("BarList_ToolClick\r\nCannot print to"));
}

TEST_F(MainWindow, PreviewOpensLargeAndTheLedgerLooksAsBefore)
{
    Load();
    ClickGroup("K7");
    const int rowHeight = Ledger()->rowHeight(0);
    const QFont font = Ledger()->font();
    int sheetWidth = 0, viewWidth = 0;
    QSize size;
    User::WhenModalOpens([&](QWidget* modal) {
        auto* view = modal->findChild<QScrollArea*>();
        sheetWidth = view->widget()->width();
        viewWidth = view->viewport()->width();
        size = modal->size();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return QApplication::focusWidget() && QApplication::focusWidget()->window() == modal;
        })) << "the preview has the keyboard";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
        EXPECT_FALSE(modal->isVisible()) << "Ctrl+W closes the preview";
        modal->close();   // whatever the keys did, the test goes on
    });
    Ledger()->setFocus();
    Command("mcFPrintPreview")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Ledger(); }))
        << "Ctrl+W closed the preview and the ledger has the keyboard again";
    EXPECT_GE(sheetWidth, viewWidth * 0.9) << "the page fits the view's width";
    EXPECT_LE(sheetWidth, viewWidth);
    const QSize screen = window.screen()->availableGeometry().size();
    EXPECT_GE(size.width(), screen.width() * 0.8);
    EXPECT_GE(size.height(), screen.height() * 0.8);
    EXPECT_EQ(Ledger()->rowHeight(0), rowHeight);
    EXPECT_EQ(Ledger()->font(), font);
}

TEST_F(MainWindow, ExitClosesTheWindow)
{
    Load();
    Command("mcExit")->trigger();
    EXPECT_FALSE(window.isVisible());
}

class EnglishMainWindow : public MainWindow {
protected:
    EnglishMainWindow() : MainWindow("UserID=16394;LANGUAGE=en;SUBID=IC") {}
};

TEST_F(EnglishMainWindow, EveryCaptionIsTranslated)
{
    Load();
    EXPECT_EQ(Tree()->model()->index(0, 0).data().toString(), "Material");
    ClickGroup("K7");
    EXPECT_FALSE(Status(2).contains("共有"));
    for (QAction* menu : window.findChild<QMenuBar*>("MainMenu")->actions())
        EXPECT_FALSE(menu->text().contains(QRegularExpression("[\\x{4e00}-\\x{9fff}]"))) << menu->text().toStdString();
    for (QAction* button : Find<QToolBar>("tbBatRule")->actions())
        EXPECT_FALSE(button->text().contains(QRegularExpression("[\\x{4e00}-\\x{9fff}]"))) << button->text().toStdString();
    EXPECT_FALSE(window.windowTitle().contains("批号"));
}

// The root shows for every user, but its rule reaches every material: only a
// user who may see every group opens it; a granted group opens as before.
class StorekeepersMainWindow : public MainWindow {
protected:
    StorekeepersMainWindow() : MainWindow("UserID=16395;LANGUAGE=chs;SUBID=IC") {}
};

TEST_F(StorekeepersMainWindow, TheRootsRuleIsRefusedWithItsReasonAndAGrantedGroupOpens)
{
    Load();
    EXPECT_EQ(CurrentNodeText(), "物料");
    ClickGroup("K7");
    Tree()->setFocus();
    EXPECT_EQ(OpenEditorBy([] { User::Press(Qt::Key_M, Qt::ControlModifier); }).parentId, 7);
    ClickGroup("K0");
    Tree()->setFocus();
    bool opened = false;
    QTimer closer;   // ends an editor that should not have opened, and lives no longer than this test
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    closer.start(10);
    User::Press(Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(opened);
    EXPECT_EQ(Messages(), QStringList{"根物料组的规则适用于所有物料，只有有权查看所有物料组的用户才能查看或更改它"});
}

TEST_F(StorekeepersMainWindow, FindListsOnlyWhatTheGrantsReach)
{
    Load();
    User::Press(Qt::Key_F3);
    auto* box = window.findChild<QDialog*>("frmBatRuleFind");
    ASSERT_TRUE(box);
    auto* text = box->findChild<QLineEdit*>("txtFind");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == text; }));
    User::Type("智能");
    auto* status = box->findChild<QLabel*>("lblFound");
    ASSERT_TRUE(QTest::qWaitFor([&] { return status->text() == "没有找到"; })) << status->text().toStdString();
    EXPECT_EQ(box->findChild<QTreeView*>("lvFound")->model()->rowCount(), 0);
    box->close();
}

}
