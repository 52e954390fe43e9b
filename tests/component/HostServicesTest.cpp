#include "DialogMessageBox.h"
#include "Fakes.h"
#include "HelpBrowser.h"
#include "StockComponents.h"
#include "HostError.h"
#include "MMTS.h"
#include "MParse.h"
#include "PercentFormatter.h"
#include "SharePropsStore.h"
#include "TempDatabase.h"
#include "TestSupport.h"
#include "TranslatorLoader.h"
#include "VirtualKeys.h"
#include "WidgetGlossaLoader.h"

#include <QLineEdit>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>

namespace {

const QString kTranslations = QStringLiteral(VELL_RESOURCE_DIR "/translations");
const QString kHelp = QStringLiteral(VELL_RESOURCE_DIR "/help");

TEST(PercentFormatter, FillsPlaceholdersInOrder)
{
    PercentFormatter f;
    EXPECT_EQ(f.Format("序列号%1的长度不能小于%2", {"3", "5"}), "序列号3的长度不能小于5");
    EXPECT_EQ(f.Format("%2-%1-%2", {"a", "b"}), "b-a-b");
}

TEST(PercentFormatter, TenIsNotOneFollowedByZero)
{
    PercentFormatter f;
    EXPECT_EQ(f.Format("%1 %10", {"a"}), "a %10");
    const QStringList ten{"1", "2", "3", "4", "5", "6", "7", "8", "9", "X"};
    EXPECT_EQ(f.Format("%1|%10", ten), "1|X");
}

TEST(PercentFormatter, LonePercentsAndMissingValuesStay)
{
    PercentFormatter f;
    EXPECT_EQ(f.Format("100% %0 %3", {"a"}), "100% %0 %3");
    const struct {
        const char* pattern;
        QStringList values;
        const char* formatted;
    } cases[] = {
        {"%1%1", {"a"}, "aa"},
        {"末尾%", {"a"}, "末尾%"},
        {"%1", {"%1"}, "%1"},   // a value is not filled in again
        {"%01", {"a"}, "a"},
        {"%99999999999999999999x", {"a"}, "%99999999999999999999x"},
        {"", {"a"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(f.Format(QString::fromUtf8(c.pattern), c.values), QString::fromUtf8(c.formatted)) << c.pattern;
}

TEST(TranslatorLoader, TranslatesBySourceTextInTheChosenLanguage)
{
    TranslatorLoader loader(kTranslations);
    loader.SetResFileBaseName("VEZAROZIVADA");
    loader.SetLanguageID("en");
    const QString english = loader.LoadString("条记录");
    EXPECT_NE(english, "条记录");
    EXPECT_FALSE(english.isEmpty());
    loader.SetLanguageID("CHT");
    EXPECT_EQ(loader.LoadString("砚川提示"), "硯川提示");
}

TEST(TranslatorLoader, SimplifiedChineseAndUnknownTextsStayAsTheyAre)
{
    TranslatorLoader loader(kTranslations);
    loader.SetResFileBaseName("VEZAROZIVADA");
    loader.SetLanguageID("chs");
    EXPECT_EQ(loader.LoadString("条记录"), "条记录");
    loader.SetLanguageID("en");
    EXPECT_EQ(loader.LoadString("没有这条文字"), "没有这条文字");
    loader.SetResFileBaseName("OTHERCONTEXT");
    EXPECT_EQ(loader.LoadString("条记录"), "条记录");
}

TEST(TranslatorLoader, MissingFilesLeaveTextsAlone)
{
    TranslatorLoader loader("/no/such/folder");
    loader.SetResFileBaseName("VEZAROZIVADA");
    loader.SetLanguageID("en");
    EXPECT_EQ(loader.LoadString("条记录"), "条记录");
}

// Qt's own dialogs speak the session's language once the string loader knows it.
TEST(TranslatorLoader, GivesQtsOwnTextsTheSessionsLanguage)
{
    const QList<QPair<const char*, QStringList>> languages{
        {"chs", {"确定", "打印预览"}}, {"cht", {"確定", "列印預覽"}}, {"en", {"OK", "Print Preview"}}, {"", {"确定", "打印预览"}}};
    for (const auto& [language, texts] : languages) {
        TranslatorLoader loader(kTranslations);
        loader.SetLanguageID(language);
        EXPECT_EQ((QStringList{QCoreApplication::translate("QPlatformTheme", "OK"),
                               QCoreApplication::translate("QPrintPreviewDialog", "Print Preview")}),
                  texts)
            << language;
    }
    TranslatorLoader("").SetLanguageID("en");
}

class GlossaLoaderTest : public testing::Test {
protected:
    GlossaLoaderTest()
    {
        window.setWindowTitle("砚川提示");
        auto* label = new QLabel("物料", &window);
        label->setObjectName("lblItem");
        auto* check = new QCheckBox("物料类设置不改变个别物料设置", &window);
        check->setObjectName("ckItemIsTop");
        check->setToolTip("物料");
        auto* tabs = new QTabWidget(&window);
        tabs->addTab(new QWidget, "选项");
        auto* table = new QTableWidget(0, 1, &window);
        table->setHorizontalHeaderItem(0, new QTableWidgetItem("物料"));
        action = new QAction("物料", &window);
        window.addAction(action);
    }

    QString Text(const char* name) { return window.findChild<QAbstractButton*>(name)->text(); }
    void Load(const char* language)
    {
        options.Set("NeedMLColumnHeaders", true);
        loader.LoadGlossaStrings(&window, language, "", "VEZAROZIVADA", options);
    }

    QWidget window;
    QAction* action;
    WidgetGlossaLoader loader{kTranslations};
    ValueBag options;
};

TEST_F(GlossaLoaderTest, TranslatesEveryKindOfWindowText)
{
    Load("cht");
    EXPECT_EQ(window.windowTitle(), "硯川提示");
    EXPECT_EQ(window.findChild<QLabel*>("lblItem")->text(), "物料");
    EXPECT_EQ(Text("ckItemIsTop"), "物料類設置不改變個別物料設置");
    EXPECT_EQ(window.findChild<QTabWidget*>()->tabText(0), "選項");
    Load("en");
    EXPECT_NE(window.findChild<QLabel*>("lblItem")->text(), "物料");
    EXPECT_EQ(window.findChild<QTableWidget*>()->horizontalHeaderItem(0)->text(),
              window.findChild<QLabel*>("lblItem")->text());
    EXPECT_EQ(action->text(), window.findChild<QLabel*>("lblItem")->text());
    EXPECT_EQ(window.findChild<QCheckBox*>()->toolTip(), action->text());
}

TEST_F(GlossaLoaderTest, LoadingTwiceTranslatesFromTheSourceAgain)
{
    Load("en");
    const QString once = Text("ckItemIsTop");
    Load("en");
    EXPECT_EQ(Text("ckItemIsTop"), once);
    Load("chs");
    EXPECT_EQ(Text("ckItemIsTop"), "物料类设置不改变个别物料设置");
}

TEST_F(GlossaLoaderTest, FontFollowsTheLanguage)
{
    EXPECT_EQ(loader.GetVellFontProps("chs").Get("Font.Name"), QVariant("宋体"));
    EXPECT_EQ(loader.GetVellFontProps("CHS").Get("Font.Charset").toInt(), 134);
    EXPECT_EQ(loader.GetVellFontProps("cht").Get("Font.Name"), QVariant("新細明體"));
    EXPECT_EQ(loader.GetVellFontProps("cht").Get("Font.Charset").toInt(), 136);
    EXPECT_EQ(loader.GetVellFontProps("en").Get("Font.Charset").toInt(), 0);
    loader.SetFrmFont(&window, "cht");
    EXPECT_EQ(window.font().families().value(0), "新細明體");
}

class HelpWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModuleState();
        ComponentRegistry::Instance().Register(ComponentNames::ShareProps, [] { return std::make_shared<SharePropsStore>(); });
    }

    void Show(HelpBrowser& browser, const QString& language, QString topic = "ICBatchCodeRule")
    {
        ResetModuleState();
        SharePropsStore::SetProperty("PropsString", "UserID=1;LANGUAGE=" + language);
        qint32 n = 0;
        QString subsystem = "IC";
        browser.ShowHELP(n, 0, topic, n, subsystem, n);
    }
};

TEST_F(HelpWindow, OpensTheTopicInTheSessionsLanguage)
{
    HelpBrowser browser(kHelp, kTranslations, SessionLanguage);
    for (const char* language : {"chs", "cht", "en"}) {
        Show(browser, language);
        ASSERT_TRUE(browser.Window());
        EXPECT_TRUE(browser.Window()->isVisible());
        EXPECT_TRUE(browser.Window()->source().toLocalFile().endsWith(QString(language) + "/ICBatchCodeRule.html"));
        EXPECT_GT(browser.Window()->toPlainText().size(), 500) << language;
    }
}

TEST_F(HelpWindow, PagesInEachLanguageAreWrittenInIt)
{
    HelpBrowser browser(kHelp, kTranslations, SessionLanguage);
    Show(browser, "chs");
    EXPECT_TRUE(browser.Window()->toPlainText().contains("流水号"));
    Show(browser, "cht");
    EXPECT_TRUE(browser.Window()->toPlainText().contains("流水號"));
    Show(browser, "en");
    EXPECT_TRUE(browser.Window()->toPlainText().contains("serial number", Qt::CaseInsensitive));
}

// Esc and Ctrl+W close it, and the keyboard goes back to the control that had it.
TEST_F(HelpWindow, EscAndCtrlWCloseItAndTheFocusGoesBack)
{
    HelpBrowser browser(kHelp, kTranslations, SessionLanguage);
    QLineEdit working;
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        working.show();
        working.activateWindow();
        working.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&working));
        Show(browser, "chs");
        ASSERT_TRUE(QTest::qWaitForWindowActive(browser.Window()));
        QTest::keySequence(browser.Window(), keys);
        EXPECT_FALSE(browser.Window()->isVisible()) << keys.toString().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &working; }))
            << keys.toString().toStdString() << ": the keyboard is back";
    }
}

TEST_F(HelpWindow, MissingPageIsAClearError)
{
    HelpBrowser browser(kHelp, kTranslations, SessionLanguage);
    try {
        Show(browser, "chs", "NoSuchTopic");
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_TRUE(error.Description().contains("NoSuchTopic")) << error.Description().toStdString();
    }
}

}

namespace {

// The component's language and help steps on the host's real components.
class RealHostServices : public testing::Test {
protected:
    void Register(const QString& language)
    {
        ResetModuleState();
        db.RegisterAsHost("UserID=16394;SUBID=IC;LANGUAGE=" + language);
    }
    TempDatabase db;
};

TEST_F(RealHostServices, CompositeKeepsItsPlainSegmentUnderEnglish)
{
    Register("en");
    const QString english = MParse::TranslateText("条记录");
    EXPECT_NE(english, "条记录");
    EXPECT_EQ(MParse::TranslateText("共有^|^~$~条记录"), "共有" + english);
    EXPECT_EQ(MParse::TranslateFormat("流水号的长度不能小于格式字符的总长度:%1，请重新设置", {4}).count("4"), 1);
}

TEST_F(RealHostServices, FormResourcesTranslateAWindowOutsideSimplifiedChinese)
{
    Register("cht");
    QWidget window;
    auto* check = new QCheckBox("物料类设置不改变个别物料设置", &window);
    std::optional<ValueBag> options;
    MParse::LoadFormResources(&window, options, MParse::ResourceKey);
    EXPECT_EQ(check->text(), "物料類設置不改變個別物料設置");
    EXPECT_EQ(MParse::GetFontProps().Get("Font.Charset").toInt(), 136);
}

TEST_F(RealHostServices, PlatformFontsStandInForTheHostsFonts)
{
    Register("chs");
    EXPECT_TRUE(QFontInfo(QFont("宋体")).family().startsWith("Noto Sans CJK SC"));
    EXPECT_TRUE(QFontInfo(QFont("新細明體")).family().startsWith("Noto Sans CJK TC"));
    EXPECT_TRUE(QFontMetrics(QFont("Arial")).inFont(QChar(0x7269))) << "物 has a glyph in an English window";
}

TEST_F(RealHostServices, F1OpensTheHelpWindowAndOtherKeysDoNothing)
{
    Register("chs");
    EXPECT_FALSE(MMTS::ShowHelpForKey(113, 0, MMTS::HelpTopic, 0, MMTS::FindPropValue("SUBID"), 0));
    EXPECT_EQ(CurrentModuleState().helpViewer, nullptr);
    EXPECT_TRUE(MMTS::ShowHelpForKey(VirtualKeys::F1, 0, MMTS::HelpTopic, 0, MMTS::FindPropValue("SUBID"), 0));
    auto* viewer = dynamic_cast<HelpBrowser*>(CurrentModuleState().helpViewer.get());
    ASSERT_TRUE(viewer && viewer->Window());
    EXPECT_TRUE(viewer->Window()->isVisible());
    EXPECT_TRUE(viewer->Window()->toPlainText().contains("流水号"));
}

}

namespace {

// What the user sees of the dialog box, read while it waits for OK.
struct SeenBox {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

SeenBox ShowAndPressOk(MessageBox::Icon icon)
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        seen = {box->text(), box->windowTitle(), box->icon(), int(box->buttons().size())};
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    DialogMessageBox().Show("系统检测到[级次=2]的编码属性未设置，请重新设置！", "砚川提示", icon);
    return seen;
}

TEST(DialogMessageBox, ShowsTextTitleIconAndOneOkButtonUntilClosed)
{
    const SeenBox info = ShowAndPressOk(MessageBox::Icon::Information);
    EXPECT_EQ(info.text, "系统检测到[级次=2]的编码属性未设置，请重新设置！");
    EXPECT_EQ(info.title, "砚川提示");
    EXPECT_EQ(info.icon, QMessageBox::Information);
    EXPECT_EQ(info.buttons, 1);
    EXPECT_EQ(ShowAndPressOk(MessageBox::Icon::Exclamation).icon, QMessageBox::Warning);
}

}
