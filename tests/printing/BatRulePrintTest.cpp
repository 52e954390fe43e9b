#include "BatRulePrint.h"
#include "Fakes.h"
#include "Ledger.h"
#include "TempDatabase.h"
#include "TestSupport.h"

namespace {

// A ledger that keeps what it is told.
class KeptLedger : public Ledger, public LedgerPrinter {
public:
    int Rows() const override { return 1; }
    void SetRows(int) override {}
    int Cols() const override { return 4; }
    void SetCols(int) override {}
    void SetBodyColor(int, int, int) override {}
    void SetColumnWidth(int, int) override {}
    void SetColumnFlag(int, int, bool) override {}
    void Redraw() override {}
    int CurrentRow() const override { return 1; }
    QString CellText(int, int) const override { return {}; }
    void SetGridFont(const LedgerPrinter::Font& font) override { gridFont = font; }
    LedgerPrinter& Printer() override { return *this; }
    Printed PrintOut() override { return {}; }
    void PrintPreview() override {}
    void PrinterSetup() override {}

    LedgerPrinter::Font gridFont;
};

class Printing : public testing::Test {
protected:
    void Session(const QString& props)
    {
        ResetModuleState();
        db.RegisterAsHost(props);
    }
    void Layout(const QString& title)
    {
        print.SetBRPrintLedger(&ledger);
        print.SetBRPrintMasterTitle(title);
        print.SetLdgLayout();
    }

    TempDatabase db;
    KeptLedger ledger;
    BatRulePrint print;
};

TEST_F(Printing, HeaderHasTheTitleABlankLineAndThePrintDate)
{
    Session("UserID=16394;LANGUAGE=chs");
    ledger.Header(2).font.bold = true;   // left as the control has it
    Layout("批号管理");
    const auto& title = ledger.Header(1);
    EXPECT_EQ(title.text, "批号管理");
    EXPECT_EQ(title.font.size, 16);
    EXPECT_TRUE(title.font.bold);
    EXPECT_TRUE(title.font.underline);
    EXPECT_EQ(ledger.Header(2).text, QString(30, ' '));
    EXPECT_EQ(ledger.Header(2).font.size, 9);
    EXPECT_TRUE(ledger.Header(2).font.bold);
    EXPECT_EQ(ledger.Header(3).text, "|打印日期：&[日期]");
    EXPECT_EQ(ledger.Header(3).font.size, 9);
    EXPECT_FALSE(ledger.Header(3).font.underline);
}

TEST_F(Printing, FooterNumbersThePagesAndTheGridPrintsAtNine)
{
    Session("UserID=16394;LANGUAGE=chs");
    Layout("批号管理");
    EXPECT_EQ(ledger.Footer(1).text, QString(30, ' '));
    EXPECT_EQ(ledger.Footer(2).text, "第 &[页] 页|共 &[总页] 页");
    EXPECT_EQ(ledger.Footer(2).font.size, 9);
    EXPECT_EQ(ledger.gridFont.name, "宋体");
    EXPECT_EQ(ledger.gridFont.charset, 134);
    EXPECT_EQ(ledger.gridFont.size, 9);
}

TEST_F(Printing, EveryLineTakesTheLanguagesFont)
{
    Session("UserID=16394;LANGUAGE=en");
    ledger.Footer(7).font.charset = 77;
    Layout("Batch Number Management");
    for (int line = 0; line < LedgerPrinter::LineCount; ++line) {
        EXPECT_EQ(ledger.Header(line).font.name, "Arial") << line;
        EXPECT_EQ(ledger.Header(line).font.charset, 0) << line;
        EXPECT_EQ(ledger.Footer(line).font.name, "Arial") << line;
        EXPECT_EQ(ledger.Footer(line).font.charset, 0) << line;
    }
    EXPECT_EQ(ledger.Footer(2).text, "Page &[页]|Pages: &[总页]");
    EXPECT_TRUE(ledger.Footer(2).text.contains("&[页]"));
    EXPECT_TRUE(ledger.Footer(2).text.contains("|"));
    EXPECT_TRUE(ledger.Header(3).text.startsWith("|"));
    EXPECT_TRUE(ledger.Header(3).text.contains("&[日期]"));
}

TEST_F(Printing, PrintingTwiceLaysOutTheSame)
{
    Session("UserID=16394;LANGUAGE=chs");
    Layout("批号管理");
    const QString first = ledger.Header(1).text + ledger.Header(3).text + ledger.Footer(2).text;
    Layout("批号管理");
    EXPECT_EQ(ledger.Header(1).text + ledger.Header(3).text + ledger.Footer(2).text, first);
}

TEST_F(Printing, SlaveTitleStartsTheDateLineAndNoLedgerIsAnError)
{
    Session("UserID=16394;LANGUAGE=chs");
    print.SetBRPrintSlaveTitle("03.02(食品饮料)");
    Layout("批号管理");
    EXPECT_EQ(ledger.Header(3).text, "03.02(食品饮料)|打印日期：&[日期]");
    BatRulePrint none;
    EXPECT_THROW(none.SetLdgLayout(), HostError);
    EXPECT_THROW(ledger.Header(10), HostError);
}

}
