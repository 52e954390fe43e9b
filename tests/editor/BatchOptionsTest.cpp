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

TEST_F(Options, WithNoRowsOnlyItemIsTopIsTickedAndCommitInsertsIt)
{
    db.Connection().Execute("DELETE FROM t_SystemProfile");
    options.ReadBatchOptions();
    EXPECT_EQ(options.itemIsTop, 1);
    EXPECT_EQ(options.manual + options.lackManual + options.repeatEcho + options.autoCreate, 0);
    options.WriteBatchOptions();
    EXPECT_EQ(db.Rows("SELECT FKey,FValue,FReadonly,FSort FROM t_SystemProfile"), "BatchItemIsTop|1|1|1");
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
