#include "BatchOptions.h"
#include "BatchTexts.h"
#include "MaterializedRecordset.h"
#include "RuleFixture.h"
#include "TestSupport.h"

namespace {

class Options : public RuleFixture {
protected:
    QString Stored()
    {
        return db.Rows("SELECT FKey,FValue FROM t_SystemProfile WHERE FCategory = 'IC' ORDER BY FKey").replace('\n', ' ');
    }
    BatchOptions options;
};

TEST_F(Options, TextsAreTheModulesOwn)
{
    EXPECT_EQ(BatchOptions::ReadSql(), BatchTexts::ReadOptions());
    options.manual = 1;
    options.lackManual = 2;
    options.autoCreate = 1;
    options.itemIsTop = 0;
    EXPECT_EQ(options.WriteSql(), BatchTexts::WriteOptions(1, 2, 0, 1, 0));
    EXPECT_TRUE(options.WriteSql().startsWith(" Update t_SystemProFile Set FValue='1'\r\n Where FCategory='IC' And \r\n"
                                              "       FKey in('BatchManual')\r\n"));
}

// A state the user set is stored: an update that finds no row is followed by the row's insert.
TEST_F(Options, WithNoRowsOnlyItemIsTopIsTickedAndCommitInsertsEveryOptionsRow)
{
    db.Connection().Execute("DELETE FROM t_SystemProfile");
    options.ReadBatchOptions();
    EXPECT_EQ(options.itemIsTop, 1);
    EXPECT_EQ(options.manual + options.lackManual + options.repeatEcho + options.autoCreate, 0);
    options.manual = 1;
    options.WriteBatchOptions();
    EXPECT_EQ(db.Rows("SELECT FKey,FValue,FReadonly,FSort,FDescription,FDescription_en FROM t_SystemProfile ORDER BY FKey"),
              "AutoCreateBatNo|0|1|1|蓝字入库单批次号根据规则直接产生|Blue-ink receipts take their batch numbers from the rule\n"
              "BatchItemIsTop|1|1|1|物料类设置不改变个别物料设置|Do not update the setting of material in BatchNo-Management "
              "when updates its higher-up\n"
              "BatchLackManual|0|1|1|编码信息不全时可做手工改变|Batch numbers may be changed by hand when codes are missing\n"
              "BatchManual|1|1|1|在单据上可手工改变批号|Batch numbers may be changed by hand on documents\n"
              "BatchRepeatEcho|0|1|1|批号重复给予提示|Prompt when a batch number is duplicated");
    options.manual = 0;
    options.WriteBatchOptions();
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) || ':' || SUM(FValue) FROM t_SystemProfile"), "5:1") << "rows written once";
}

TEST_F(Options, ReadsTheDemosStoredStates)
{
    options.ReadBatchOptions();
    EXPECT_EQ(options.manual, 1);
    EXPECT_EQ(options.repeatEcho, 1);
    EXPECT_EQ(options.autoCreate, 0);
    EXPECT_EQ(options.itemIsTop, 1);
}

TEST_F(Options, WithAllRowsEachIsUpdatedAndNothingInserted)
{
    db.Connection().Execute("INSERT INTO t_SystemProfile (FCategory,FKey,FValue) VALUES ('IC','BatchItemIsTop','1')");
    options.ReadBatchOptions();
    options.manual = 0;
    options.autoCreate = 1;
    options.itemIsTop = 0;
    options.WriteBatchOptions();
    EXPECT_EQ(Stored(), "AutoCreateBatNo|1 BatchItemIsTop|0 BatchLackManual|0 BatchManual|0 BatchRepeatEcho|1");
}

TEST_F(Options, GreyStatesComeOutAsTheyWentIn)
{
    db.Connection().Execute("UPDATE t_SystemProfile SET FValue='2' WHERE FKey IN ('BatchLackManual','BatchRepeatEcho')");
    options.ReadBatchOptions();
    options.WriteBatchOptions();
    EXPECT_EQ(db.Rows("SELECT FValue FROM t_SystemProfile WHERE FKey IN ('BatchLackManual','BatchRepeatEcho')"), "2\n2");
    BatchOptions again;
    again.ReadBatchOptions();
    EXPECT_EQ(again.lackManual, 2);
}

TEST_F(Options, ValuesOutsideTheBoxStatesShowAsTicked)
{
    db.Connection().Execute("UPDATE t_SystemProfile SET FValue='7' WHERE FKey = 'BatchManual'");
    db.Connection().Execute("UPDATE t_SystemProfile SET FValue='abc' WHERE FKey = 'BatchRepeatEcho'");
    options.ReadBatchOptions();
    EXPECT_EQ(options.manual, 1);
    EXPECT_EQ(options.repeatEcho, 0);
}

// The host's SQL Server gives back a key with its trailing blanks.
class PaddedKeys : public FakeConnection {
public:
    std::unique_ptr<Recordset> Execute(const QString&) override
    {
        return std::make_unique<MaterializedRecordset>(
            QStringList{"FKey", "FValue"},
            QList<QList<QVariant>>{{"BatchManual   ", "1"}, {"batchmanual", "0"}, {"AutoCreateBatNo", 1}});
    }
};

TEST_F(Options, KeysMatchTrimmedButWithTheirCase)
{
    CurrentModuleState().hostConnection = std::make_shared<PaddedKeys>();
    options.ReadBatchOptions();
    EXPECT_EQ(options.manual, 1);
    EXPECT_EQ(options.autoCreate, 1);
}

TEST_F(Options, DatabaseErrorsReachTheCaller)
{
    connection->failWith = "无法连接";
    EXPECT_THROW(options.ReadBatchOptions(), HostError);
    EXPECT_THROW(options.WriteBatchOptions(), HostError);
    EXPECT_TRUE(Messages().isEmpty());
}

}

namespace {

// `options set` writes the keys it names and no other: each key's update,
// then its row where it has none.
TEST_F(Options, OnlyTheNamedKeysAreWrittenAndAMissingOnesRowIsAdded)
{
    options.manual = 1;
    options.itemIsTop = 0;
    const QString columns = "  INSERT INTO t_SystemProfile(FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,"
                            "FFormat,FSort,FDescription_cht,FDescription_en)\r\n";
    EXPECT_EQ(options.WriteKeysSql({"BatchItemIsTop", "BatchManual"}),
              " Update t_SystemProFile Set FValue='1'\r\n Where FCategory='IC' And \r\n       FKey in('BatchManual')\r\n"
              "IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FCategory='IC' AND FKey in('BatchManual'))\r\n"
                  + columns
                  + "  VALUES('IC','BatchManual','1',1,N'在单据上可手工改变批号',0,N'在单据上可手工改变批号',NULL,1.00,"
                    "N'在單據上可手工改變批號','Batch numbers may be changed by hand on documents')\r\n"
                    " Update t_SystemProFile Set FValue='0'\r\n Where FCategory='IC' And \r\n       FKey in('BatchItemIsTop')\r\n"
                    "IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FCategory='IC' AND FKey in('BatchItemIsTop'))\r\n"
                  + columns
                  + "  VALUES('IC','BatchItemIsTop','0',1,N'物料类设置不改变个别物料设置',0,N'物料类设置不改变个别物料设置',NULL,"
                    "1.00,N'物料類設置不改變個別物料設置','Do not update the setting of material in BatchNo-Management when "
                    "updates its higher-up')\r\n");
    struct Case {
        const char* before;   // the demo's rows (BatchItemIsTop has none), then none at all
        const char* stored;
    };
    const Case cases[] = {
        {"UPDATE t_SystemProfile SET FValue='0' WHERE FKey='BatchManual'",
         "AutoCreateBatNo|0 BatchItemIsTop|0 BatchLackManual|0 BatchManual|1 BatchRepeatEcho|1"},
        {"DELETE FROM t_SystemProfile", "BatchItemIsTop|0 BatchManual|1"},
    };
    for (const Case& c : cases) {
        db.Connection().Execute(c.before);
        db.Connection().Execute(options.WriteKeysSql({"BatchItemIsTop", "BatchManual"}));
        EXPECT_EQ(Stored(), c.stored) << c.before;
    }
}

}
