// The vell-batchrule program driven as a user drives it from a shell.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class Program : public testing::Test {
protected:
    void SetUp() override { DemoDatabase::WriteHandMade(Db()); }
    QString Db() const { return dir.filePath("demo.sqlite"); }
    QTemporaryDir dir;
};

TEST_F(Program, SqlPrintsRowsUnderAHeaderOfColumnNames)
{
    const Outcome run = RunProgram({"sql", "--db", Db()},
                                   " SELECT FID,FPropertyID,FFormatDate From ICBatchNoRule\r\n Where FItemID=311\r\n"
                                   " ORDER BY FItemID,FID\r\n");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "FID\tFPropertyID\tFFormatDate\n1\t23\tyyyymmdd\n2\t26\t\n");
}

TEST_F(Program, SqlPrintsNothingForABatchWithoutRows)
{
    const Outcome run = RunProgram({"sql", "--db", Db()}, "UPDATE t_ICItem SET FName = '冷轧钢板' WHERE FItemID = 101");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "");
}

TEST_F(Program, SqlFailureExitsOneAndLeavesTheDatabaseAsItWas)
{
    const Outcome run = RunProgram({"sql", "--db", Db()},
                                   " Delete from ICBatchNoRule \r\n Where FItemID=311\r\n Insert into Nowhere(a) Values(1)\r\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Nowhere")) << run.err.toStdString();
    const Outcome count = RunProgram({"sql", "--db", Db()}, "SELECT count(*) AS n FROM ICBatchNoRule WHERE FItemID = 311");
    EXPECT_EQ(count.out, "n\n2\n");
}

TEST_F(Program, SqlRefusesAConstructItDoesNotKnow)
{
    const Outcome run = RunProgram({"sql", "--db", Db()}, "SELECT TOP 10 PERCENT FNumber FROM t_ICItem");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("TOP")) << run.err.toStdString();
}

TEST_F(Program, ShowPrintsWhatTheDatabaseHolds)
{
    const QString fresh = dir.filePath("fresh.sqlite");
    DemoDatabase::WriteHandMade(fresh);
    const Outcome run = RunProgram({"show", "--db", fresh});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("食品饮料"));
    EXPECT_TRUE(run.out.contains("天然矿泉水 550ml"));
    EXPECT_TRUE(run.out.contains("yyyymmdd"));
}

TEST_F(Program, DemoDbWritesSyntheticDataOfTheSizeAsked)
{
    const QString file = dir.filePath("synthetic.sqlite");
    EXPECT_EQ(RunProgram({"demo-db", "--out", file, "--groups", "5", "--materials", "40"}).exitCode, 0);
    const Outcome count = RunProgram({"sql", "--db", file}, "SELECT count(*) AS n FROM t_ICItem");
    EXPECT_EQ(count.out, "n\n40\n");
}

TEST_F(Program, MissingDatabaseOptionIsAUsageError)
{
    const Outcome run = RunProgram({"sql"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("--db"));
}

TEST_F(Program, WindowsWithoutADisplaySaySo)
{
    QProcessEnvironment desktopless = ProgramEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        desktopless.remove(name);
    for (const QStringList& args : {QStringList{"edit", "--db", Db(), "--item", "101"}, QStringList{"--db", Db()}}) {
        const Outcome run = RunProgram(args, QString(), desktopless);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("no display")) << run.err.toStdString();
    }
}

TEST_F(Program, EditThatCannotOpenTheWindowGivesTheReason)
{
    const Outcome unknown = RunProgram({"edit", "--db", Db(), "--item", "99999"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("找不到物料99999")) << unknown.err.toStdString();
    const Outcome missing = RunProgram({"edit", "--db", dir.filePath("none.sqlite"), "--group", "7"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("none.sqlite")));
    EXPECT_EQ(RunProgram({"edit", "--db", Db()}).exitCode, 2) << "neither --item nor --group";
}

}
