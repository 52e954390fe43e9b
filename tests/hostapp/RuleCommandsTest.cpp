// The rule and options commands of vell-batchrule, end to end on a demo file.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

namespace {

class RuleCommand : public testing::Test {
protected:
    void SetUp() override { DemoDatabase::WriteHandMade(Db()); }
    QString Db() const { return dir.filePath("demo.sqlite"); }

    Outcome Run(QStringList args) { return RunProgram(args << "--db" << Db()); }
    QString Sql(const QString& batch) { return RunProgram({"sql", "--db", Db()}, batch).out; }
    QString RuleRows(int owner, int detail)
    {
        return Sql(QStringLiteral("SELECT FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                                  "FSubCharacter FROM ICBatchNoRule WHERE FItemID = %1 AND FDetail = %2 ORDER BY FID")
                       .arg(owner)
                       .arg(detail))
            .section('\n', 1);
    }
    QString Everything()
    {
        return Sql("SELECT FItemID,FDetail,FID,FPropertyID,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter "
                   "FROM ICBatchNoRule ORDER BY 1,2,3")
               + Sql("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey");
    }

    QTemporaryDir dir;
};

TEST_F(RuleCommand, ShowWritesTheRuleAsTheLedgerDoesAndEachElement)
{
    const Outcome run = Run({"rule", "show", "--item", "101"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "01.01.001(冷轧钢板 1.0mm)\n"
                       "[供应商代码]+[自定义]+[日期]+[流水号]\n"
                       "级次\t属性\t格式\t长度\t补位符\t替换符\n"
                       "1\t供应商代码(8)\t长代码\t6\t0\tZ\n"
                       "2\t自定义(24)\t-\t1\t\t\n"
                       "3\t日期(23)\tyymm\t4\t\t\n"
                       "4\t流水号(26)\t1\t3\t\t\n");
}

TEST_F(RuleCommand, ShowSpeaksTheSessionsLanguage)
{
    const Outcome run = Run({"rule", "show", "--group", "7", "--props", "UserID=16394;LANGUAGE=en"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("03.02(食品饮料)\n[Material"));
    EXPECT_TRUE(run.out.contains("Short"));
}

TEST_F(RuleCommand, SetFillsTheEditorAndSavesTheMaterialsRule)
{
    const Outcome run = Run({"rule", "set", "--item", "102", "物料代码:短代码:8:0:X", "24:-", "23:yymmdd", "行号:000",
                             "26:1:4"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(RuleRows(102, 1), "1\t4\t1\t\t\t8\t0\tX\n2\t24\t0\t\t-\t1\t\t\n3\t23\t0\tyymmdd\t\t6\t\t\n"
                                "4\t25\t0\t000\t\t3\t\t\n5\t26\t0\t\t1\t4\t\t\n");
    EXPECT_TRUE(run.out.startsWith("[物料代码]+[自定义]+[日期]+[行号]+[流水号]\n"));
}

TEST_F(RuleCommand, SetOnAGroupSpreadsAndWritesTheGroupRule)
{
    const Outcome run = Run({"rule", "set", "--group", "7", "--replace-own-rules", "单据号码::10:0", "流水号:1:4"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(RuleRows(7, 0), "1\t20\t0\t\t\t10\t0\t\n2\t26\t0\t\t1\t4\t\t\n");
    for (int material : {311, 312, 313})
        EXPECT_EQ(RuleRows(material, 1), RuleRows(7, 0)) << material;
    EXPECT_EQ(RuleRows(301, 1), "1\t20\t0\t\t\t10\t0\t\n2\t25\t0\t00\t\t2\t\t\n");
    EXPECT_EQ(Sql("SELECT FValue FROM t_SystemProfile WHERE FKey = 'BatchItemIsTop'"), "FValue\n0\n");
}

TEST_F(RuleCommand, SparingOwnRulesLeavesThemAlone)
{
    Sql("DELETE FROM ICBatchNoRule WHERE FItemID = 313");
    const Outcome run = Run({"rule", "set", "--group", "5", "--spare-own-rules", "25"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(RuleRows(313, 1), "1\t25\t0\t00\t\t2\t\t\n");
    EXPECT_EQ(RuleRows(302, 1), "1\t25\t0\t00\t\t2\t\t\n");
    EXPECT_EQ(RuleRows(311, 1).count('\n'), 2);
    EXPECT_EQ(RuleRows(101, 1).count('\n'), 4);   // group 01 lies outside 03
}

TEST_F(RuleCommand, RefusalPrintsTheUsersMessageAndWritesNothing)
{
    const QString before = Everything();
    const Outcome tooLong = Run({"rule", "set", "--item", "102", "20::150:0", "21::51:0"});
    EXPECT_EQ(tooLong.exitCode, 1);
    EXPECT_TRUE(tooLong.err.contains("批次设置长度超过200，请重新设置")) << tooLong.err.toStdString();
    const Outcome noPad = Run({"rule", "set", "--item", "102", "23:yymmdd", "20::8"});
    EXPECT_EQ(noPad.exitCode, 1);
    EXPECT_TRUE(noPad.err.contains("系统检测到[级次=2]的编码属性的补位符未设置，请重新设置！")) << noPad.err.toStdString();
    const Outcome locked = Run({"rule", "set", "--item", "102", "23:yymmdd:8"});
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_EQ(Everything(), before);
}

TEST_F(RuleCommand, RefusalsFollowTheLanguage)
{
    const Outcome run = Run({"rule", "set", "--item", "102", "26:1:4", "26:1:4", "--props", "UserID=16394;LANGUAGE=en"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.contains("流水号")) << run.err.toStdString();
    EXPECT_FALSE(run.err.trimmed().isEmpty());
}

TEST_F(RuleCommand, BadTargetsAndElementsAreClearErrors)
{
    EXPECT_TRUE(Run({"rule", "show", "--item", "999"}).err.contains("找不到物料999"));
    EXPECT_TRUE(Run({"rule", "show", "--item", "103"}).err.contains("不是批次管理的物料"));
    EXPECT_TRUE(Run({"rule", "show", "--group", "99"}).err.contains("找不到物料组99"));
    EXPECT_TRUE(Run({"rule", "set", "--item", "102", "项目号::8:0"}).err.contains("不在属性列表中"));
    EXPECT_TRUE(Run({"rule", "set", "--item", "102", "1", "2", "3", "4", "5", "20", "21", "23", "24"})
                    .err.contains("1到8"));
    EXPECT_EQ(Run({"rule", "show"}).exitCode, 2);
    EXPECT_EQ(Run({"rule", "show", "--item", "1", "--group", "2"}).exitCode, 2);
}

TEST_F(RuleCommand, RestrictedUserCannotReachOtherGroups)
{
    const Outcome run = Run({"rule", "show", "--group", "3", "--props", "UserID=16395;LANGUAGE=chs"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("找不到物料组3"));
}

TEST_F(RuleCommand, ApostropheRoundTrips)
{
    const Outcome run = Run({"rule", "set", "--item", "102", "24:it's", "26:1:4"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Sql("SELECT FSelDefine,FWidth FROM ICBatchNoRule WHERE FItemID = 102 AND FID = 1"), "FSelDefine\tFWidth\nit's\t4\n");
    EXPECT_TRUE(Run({"rule", "show", "--item", "102"}).out.contains("自定义(24)\tit's\t4"));
}

TEST_F(RuleCommand, RootRuleReachesEveryBatchManagedMaterial)
{
    const Outcome run = Run({"rule", "set", "--group", "0", "--replace-own-rules", "23:yyyymmdd", "26:1:6"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(RuleRows(0, 0), "1\t23\t0\tyyyymmdd\t\t8\t\t\n2\t26\t0\t\t1\t6\t\t\n");
    EXPECT_EQ(Sql("SELECT count(DISTINCT FItemID) AS n FROM ICBatchNoRule WHERE FDetail = 1"), "n\n11\n");
}

TEST_F(RuleCommand, OptionsShowAndSet)
{
    const Outcome shown = Run({"options", "show"});
    EXPECT_EQ(shown.out, "BatchItemIsTop=1\t物料类设置不改变个别物料设置\nBatchManual=1\t在单据上可手工改变批号\n"
                         "AutoCreateBatNo=0\t蓝字入库单批次号根据规则直接产生\nBatchLackManual=0\t编码信息不全时可做手工改变\n"
                         "BatchRepeatEcho=1\t批号重复给予提示\n");
    const Outcome set = Run({"options", "set", "AutoCreateBatNo=1", "batchmanual=0"});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(Sql("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey").section('\n', 1),
              "AutoCreateBatNo\t1\nBatchItemIsTop\t1\nBatchLackManual\t0\nBatchManual\t0\nBatchRepeatEcho\t1\n");
    EXPECT_EQ(Run({"options", "set", "BatchManual=2"}).exitCode, 1);
    EXPECT_EQ(Run({"options", "set", "Nonsense=1"}).exitCode, 1);
}

}
