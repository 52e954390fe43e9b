// The ledger's printout as a user meets it: the preview a page at a time,
// a printout cancelled, a file that exists replaced only when the user says so.
#include "GridUser.h"
#include "LedgerGrid.h"
#include "LedgerGridPrinter.h"
#include "LedgerPreview.h"
#include "TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

class Printout : public testing::Test {
protected:
    Printout()
    {
        grid.rowTextRequest = [](int row) {
            return row == 1 ? QString("内码|物料代码|物料名称|批号规则|") : QString("%1|M%1|物料%1|[日期]+[流水号]|").arg(row);
        };
        grid.SetCols(4);
        grid.resize(600, 300);
        grid.Printer().Footer(1).text = "第 &[页] 页|共 &[总页] 页";
    }
    LedgerGridPrinter& Printer() { return static_cast<LedgerGridPrinter&>(grid.Printer()); }
    QString File(const char* name) const { return dir.filePath(name); }

    LedgerGrid grid;
    QTemporaryDir dir;
};

// Opens on its first page before every row is laid out, and turns the pages
// by the keys once they are.
TEST_F(Printout, PreviewOpensOnItsFirstPageAndTurnsPagesByTheKeys)
{
    grid.SetRows(20001);
    LedgerPreview preview(Printer());
    EXPECT_EQ(preview.Page(), 1);
    EXPECT_FALSE(preview.Complete()) << "the first page shows while the rest is laid out";
    EXPECT_FALSE(preview.PageImage(400).isNull());
    preview.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() && QApplication::focusWidget()->window() == &preview; }))
        << "the preview has the keyboard";
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview.Complete(); }, 60000));
    const int pages = preview.Pages();
    EXPECT_GT(pages, 100);
    struct Step {
        Qt::Key key;
        int page;
    };
    for (const Step step : {Step{Qt::Key_PageDown, 2}, Step{Qt::Key_End, pages}, Step{Qt::Key_PageDown, pages},
                            Step{Qt::Key_PageUp, pages - 1}, Step{Qt::Key_Home, 1}, Step{Qt::Key_PageUp, 1}}) {
        QTest::keyClick(QApplication::focusWidget(), step.key);
        EXPECT_EQ(preview.Page(), step.page) << step.key;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(preview.isVisible());
}

// Cancelled between two pages: nothing is written, and the file there stays as it was.
TEST_F(Printout, ACancelledPdfLeavesTheFileAsItWas)
{
    grid.SetRows(2001);
    QFile before(File("ledger.pdf"));
    ASSERT_TRUE(before.open(QIODevice::WriteOnly) && before.write("old") == 3);
    before.close();
    int told = 0;
    EXPECT_EQ(Printer().PrintToPdf(File("ledger.pdf"), [&](int, int total) { return ++told < 3 || total == 0; }), 0);
    EXPECT_GE(told, 3);
    QFile after(File("ledger.pdf"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), "old");
    EXPECT_GT(Printer().PrintToPdf(File("whole.pdf")), 1) << "uncancelled, the same prints";
}

// Printing to a file that exists asks first; No keeps it.
TEST_F(Printout, PrintingOverAnExistingFileAsksFirst)
{
    grid.SetRows(3);
    Printer().Setting().setOutputFormat(QPrinter::PdfFormat);
    Printer().Setting().setOutputFileName(File("there.pdf"));
    QFile there(File("there.pdf"));
    ASSERT_TRUE(there.open(QIODevice::WriteOnly) && there.write("mine") == 4);
    there.close();
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        QString asked;
        User::WhenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_TRUE(box);
            asked = box->text();
            box->button(answer)->click();
        });
        const int pages = Printer().PrintOut().pages;
        EXPECT_TRUE(asked.contains(File("there.pdf"))) << asked.toStdString();
        EXPECT_EQ(pages, answer == QMessageBox::Yes ? 1 : 0);
        QFile now(File("there.pdf"));
        ASSERT_TRUE(now.open(QIODevice::ReadOnly));
        EXPECT_EQ(now.readAll().startsWith("%PDF"), answer == QMessageBox::Yes);
    }
}

}
