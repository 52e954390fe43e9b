#include "BatRuleLedger.h"
#include "BatchTexts.h"
#include "RuleFixture.h"
#include "TestSupport.h"

namespace {

class Ledger : public RuleFixture {
protected:
    BatRuleLedger ledger;
};

TEST_F(Ledger, RowsAreTheGroupsMaterialsInNumberOrderWithTheirRuleText)
{
    ASSERT_EQ(ledger.ShowGroup(7), 3);
    EXPECT_EQ(BatRuleLedger::LedgerHeaderText(), "内码|物料代码|物料名称|批号规则|");
    EXPECT_EQ(ledger.LedgerRowText(2), "311|03.02.001|天然矿泉水 550ml|[日期]+[流水号]|");
    EXPECT_EQ(ledger.LedgerRowText(4), "313|03.02.003|乌龙茶饮料 500ml|[物料代码]+[日期]+[流水号]|");
    EXPECT_EQ(ledger.LedgerRowText(3), "312|03.02.002|绿茶饮料 500ml|[物料代码]+[日期]+[流水号]|");
    EXPECT_EQ(ledger.LedgerRowText(5), "");   // past the last material
}

TEST_F(Ledger, EachRowCostsOneRuleQuery)
{
    ledger.ShowGroup(2);
    const int sent = connection->batches.size();
    ledger.LedgerRowText(2);
    ledger.LedgerRowText(2);
    ledger.LedgerRowText(3);
    ASSERT_EQ(connection->batches.size(), sent + 3);
    EXPECT_EQ(connection->batches.last(), BatchTexts::FetchBatchRule(102, 1));
}

TEST_F(Ledger, RootShowsTheMaterialsWithoutAGroup)
{
    EXPECT_EQ(ledger.ShowGroup(0), 0);
    db.Connection().Execute("INSERT INTO t_ICItem VALUES (900, '900', '散件', 0, 1), (901, '901', '不管批次', 0, 0)");
    EXPECT_EQ(ledger.ShowGroup(0), 1);
    EXPECT_EQ(ledger.LedgerRowText(2), "900|900|散件||");
}

TEST_F(Ledger, NoMaterialsOrAFailedQueryLeaveRowsEmpty)
{
    EXPECT_EQ(ledger.LedgerRowText(2), "");   // nothing shown yet
    EXPECT_EQ(ledger.ShowGroup(1), 0);        // 01 holds only sub-groups
    EXPECT_EQ(ledger.LedgerRowText(2), "");
    connection->failWith = "连接已断开";
    EXPECT_EQ(ledger.ShowGroup(7), std::nullopt);
    EXPECT_EQ(ledger.LedgerRowText(2), "");
    EXPECT_EQ(Messages().size(), 1);
}

TEST_F(Ledger, FailedRuleQueryEmptiesTheRuleOnly)
{
    ledger.ShowGroup(7);
    connection->failWith = "超时";
    EXPECT_EQ(ledger.LedgerRowText(2), "311|03.02.001|天然矿泉水 550ml||");
}

TEST_F(Ledger, CountTextHasNoBlanks)
{
    EXPECT_EQ(BatRuleLedger::CountText(12), "共有12条记录");
    EXPECT_EQ(BatRuleLedger::CountText(0), "共有0条记录");
}

}
