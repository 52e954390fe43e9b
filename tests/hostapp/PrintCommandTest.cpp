// vell-batchrule print: a group's ledger printed into a PDF file, read back as text.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class PrintCommand : public testing::Test {
protected:
    void SetUp() override { DemoDatabase::WriteHandMade(Db()); }
    QString Db() const { return dir.filePath("demo.sqlite"); }

    // Materials 03.02.101 … of the food group, each with the food group's rule.
    void AddFood(int count)
    {
        QString batch;
        for (int i = 0; i < count; ++i)
            batch += QString("INSERT INTO t_ICItem VALUES (%1, '03.02.%2', '饮料 %2', 7, 1)\n").arg(5000 + i).arg(101 + i);
        ASSERT_EQ(RunProgram({"sql", "--db", Db()}, batch).exitCode, 0);
    }

    // Rows of a query, their fields split, without the header.
    QList<QStringList> Query(const QString& sql)
    {
        const Outcome run = RunProgram({"sql", "--db", Db()}, sql);
        QList<QStringList> rows;
        for (const QString& line : run.out.split('\n', Qt::SkipEmptyParts).mid(1))
            rows << line.split('\t');
        return rows;
    }

    // The text of the printout as a PDF reader finds it, page breaks as form
    // feeds; laid out as on the page, or a text block (a cell) at a time.
    QString Printed(const QString& props = "UserID=16394;LANGUAGE=chs", const QString& group = "7", bool layout = true)
    {
        const QString pdf = dir.filePath("ledger.pdf");
        const Outcome run = RunProgram({"print", "--db", Db(), "--group", group, "--pdf", pdf, "--props", props});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QProcess text;
        text.start("pdftotext", layout ? QStringList{"-layout", pdf, "-"} : QStringList{pdf, "-"});
        EXPECT_TRUE(text.waitForFinished(30000));
        return QString::fromUtf8(text.readAllStandardOutput());
    }

    static int Pages(const QString& text) { return int(text.count('\f')); }

    QTemporaryDir dir;
};

TEST_F(PrintCommand, PagesCarryTheTitleThePrintDateAndTheirNumbers)
{
    AddFood(150);
    const QString text = Printed();
    const int pages = Pages(text);
    ASSERT_GE(pages, 3);
    const QStringList sheets = text.split('\f', Qt::SkipEmptyParts);
    for (int page = 1; page <= pages; ++page) {
        const QString sheet = sheets.value(page - 1);
        EXPECT_TRUE(sheet.contains("批号管理")) << page;
        EXPECT_TRUE(sheet.contains("打印日期：" + QDate::currentDate().toString(Qt::ISODate))) << page;
        EXPECT_TRUE(sheet.contains(QRegularExpression(QString("第\\s*%1\\s*页").arg(page)))) << page;
        EXPECT_TRUE(sheet.contains(QRegularExpression(QString("共\\s*%1\\s*页").arg(pages)))) << page;
    }
    // Every material once, in number order, none split over two pages.
    QStringList numbers;
    for (const auto& match : QRegularExpression("03\\.02\\.\\d{3}").globalMatch(text))
        numbers << match.captured();
    EXPECT_EQ(numbers.size(), 153);
    QStringList sorted = numbers;
    sorted.sort();
    EXPECT_EQ(numbers, sorted);
    EXPECT_TRUE(text.contains("[物料代码]+[日期]+[流水号]"));
    EXPECT_FALSE(text.contains("5000")) << "the internal id column stays hidden";
}

// The PDF's text is what was printed, character for character: every row of
// every group of the demo, its header and footer, in the three languages.
TEST_F(PrintCommand, TheTextLayerHoldsEveryCharacterPrinted)
{
    struct Language {
        const char* props;
        const char* title;
        const char* group;
    };
    const Language languages[] = {{"UserID=16394;LANGUAGE=chs", "批号管理", "物料组："},
                                  {"UserID=16394;LANGUAGE=cht", "批號管理", "物料組："},
                                  {"UserID=16394;LANGUAGE=en", "Batch Number Management", "Material group: "}};
    for (const Language& language : languages)
        for (const QStringList& group : Query("SELECT FItemID, FNumber, FName FROM t_Item WHERE FItemClassID=4 AND FDetail=0")) {
            const QString text = Printed(language.props, group[0]);
            const std::string where = std::string(language.props) + " group " + group[0].toStdString();
            EXPECT_TRUE(text.contains(language.title)) << where;
            EXPECT_TRUE(text.contains(language.group + group[1] + "(" + group[2] + ")")) << where << text.toStdString();
            for (const QStringList& material : Query("SELECT FItemID, FNumber, FName FROM t_ICItem WHERE FBatchManager=1 "
                                                     "AND FParentID=" + group[0])) {
                const Outcome rule = RunProgram({"rule", "show", "--db", Db(), "--item", material[0], "--props", language.props});
                const QString ruleText = rule.out.section('\n', 1, 1).startsWith('[') ? rule.out.section('\n', 1, 1) : QString();
                QString row = QRegularExpression::escape(material[1]) + "\\s+" + QRegularExpression::escape(material[2]);
                if (!ruleText.isEmpty())
                    row += "\\s+" + QRegularExpression::escape(ruleText);
                EXPECT_TRUE(text.contains(QRegularExpression(row + "\n"))) << where << " row " << row.toStdString()
                                                                             << text.toStdString();
            }
        }
}

// A rule wider than its column wraps inside its cell on A4 portrait: every
// character of an eight-element rule is on the page, in each language.
TEST_F(PrintCommand, ARuleWiderThanItsColumnWrapsAndNothingIsCut)
{
    const QStringList eight{"8:长代码:4:0", "20::4:0", "21::4:0", "24:ABC", "25:000", "4:长代码:6:0", "23:yymmdd", "26:1:4"};
    ASSERT_EQ(RunProgram(QStringList{"rule", "set", "--db", Db(), "--item", "311"} + eight).exitCode, 0);
    for (const char* props : {"UserID=16394;LANGUAGE=chs", "UserID=16394;LANGUAGE=cht", "UserID=16394;LANGUAGE=en"}) {
        const QString rule = RunProgram({"rule", "show", "--db", Db(), "--item", "311", "--props", props}).out.section('\n', 1, 1);
        ASSERT_EQ(rule.count('+'), 7) << rule.toStdString();
        QString text = Printed(props, "7", false);
        EXPECT_FALSE(text.contains(QChar(0x2026))) << props << ": nothing elided";
        EXPECT_TRUE(text.remove(QRegularExpression("\\s")).contains(QString(rule).remove(' '))) << props << " "
                                                                                              << rule.toStdString();
    }
}

TEST_F(PrintCommand, PrintingTwiceGivesTheSameAndMoreRowsMorePages)
{
    AddFood(60);
    const QString first = Printed();
    EXPECT_EQ(Printed(), first);
    AddFood(0);
    const int before = Pages(first);
    QString more;
    for (int i = 0; i < 200; ++i)
        more += QString("INSERT INTO t_ICItem VALUES (%1, '03.02.%2', '茶 %2', 7, 1)\n").arg(7000 + i).arg(600 + i);
    ASSERT_EQ(RunProgram({"sql", "--db", Db()}, more).exitCode, 0);
    EXPECT_GT(Pages(Printed()), before);
}

TEST_F(PrintCommand, EnglishFooterReadsAsTranslated)
{
    const QString text = Printed("UserID=16394;LANGUAGE=en");
    EXPECT_TRUE(text.contains(QRegularExpression("Page\\s+1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Pages:\\s+1"))) << text.toStdString();
    EXPECT_TRUE(text.contains("Material Code")) << text.toStdString();
}

TEST_F(PrintCommand, FailuresExitNonZeroWithTheReason)
{
    const Outcome unwritable = RunProgram({"print", "--db", Db(), "--group", "7", "--pdf", "/no/such/folder/x.pdf"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains("/no/such/folder/x.pdf")) << unwritable.err.toStdString();
    const Outcome hidden = RunProgram({"print", "--db", Db(), "--group", "3", "--pdf", dir.filePath("x.pdf"), "--props",
                                       "UserID=424242"});
    EXPECT_NE(hidden.exitCode, 0);
    EXPECT_EQ(RunProgram({"print", "--db", Db(), "--pdf", dir.filePath("x.pdf")}).exitCode, 2);
}

}
