// The rule and options commands of vell-batchrule, end to end on a demo file.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <gtest/gtest-spi.h>
#include <unistd.h>

#include <memory>
#include <vector>
#include <QFile>
#include <QTemporaryDir>

namespace {

class RuleCommand : public testing::Test {
protected:
    void SetUp() override { DemoDatabase::WriteHandMade(Db()); }
    QString Db() const { return dir.filePath("demo.sqlite"); }

    Outcome Run(QStringList args) { return RunProgram(args << "--db" << Db()); }
    QString Sql(const QString& batch)
    {
        const Outcome run = RunProgram({"sql", "--db", Db()}, batch);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out;
    }
    // What no Transact-SQL batch does: a change of the schema.
    void Native(const QString& sql)
    {
        {
            QSqlDatabase native = QSqlDatabase::addDatabase("QSQLITE", "schema-change");
            native.setDatabaseName(Db());
            ASSERT_TRUE(native.open());
            QSqlQuery query(native);
            ASSERT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase("schema-change");
    }
    QString RuleRows(int owner, int detail)
    {
        return Sql(QStringLiteral("SELECT FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                                  "FSubCharacter FROM ICBatchNoRule WHERE FItemID = %1 AND FDetail = %2 ORDER BY FID")
                       .arg(owner)
                       .arg(detail))
            .section('\n', 1);
    }
    QString AllRules()
    {
        return Sql("SELECT FItemID,FDetail,FID,FPropertyID,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter "
                   "FROM ICBatchNoRule ORDER BY 1,2,3");
    }
    QString Everything() { return AllRules() + Sql("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey"); }

    QTemporaryDir dir;
};

TEST_F(RuleCommand, ShowWritesTheRuleAsTheLedgerDoesAndEachElement)
{
    const Outcome run = Run({"rule", "show", "--item", "101"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.section('\n', 0, 6) + '\n', "01.01.001(冷轧钢板 1.0mm)\n"
                                                  "[供应商代码]+[自定义]+[日期]+[流水号]\n"
                                                  "级次\t属性\t格式\t长度\t补位符\t替换符\n"
                                                  "1\t供应商代码(8)\t长代码\t6\t0\tZ\n"
                                                  "2\t自定义(24)\t-\t1\t\t\n"
                                                  "3\t日期(23)\tyymm\t4\t\t\n"
                                                  "4\t流水号(26)\t1\t3\t\t\n");
    EXPECT_TRUE(QRegularExpression("^version [0-9a-f]{12}\n$").match(run.out.section('\n', 7)).hasMatch())
        << run.out.toStdString();
}

// rule show names the stored rule's version; rule set --if-version writes
// only over that version, and names the owner and the version now when the
// rule moved on.
TEST_F(RuleCommand, IfVersionWritesOnlyOverTheVersionShown)
{
    const auto version = [this](const char* item) {
        return Run({"rule", "show", "--item", item}).out.section('\n', -2, -2).section(' ', 1);
    };
    const QString shown = version("101");
    const QString none = version("201");
    EXPECT_EQ(none, "0") << "a material without a rule";
    struct Case {
        QStringList args;   // --item ID --if-version V ELEMENT...
        int exitCode;
        QString owner;      // named in the refusal
    };
    const Case cases[] = {
        {{"--item", "101", "--if-version", shown, "23:yymmdd", "26:1:4"}, 0, ""},
        {{"--item", "101", "--if-version", shown, "23:yyyymmdd"}, 1, "01.01.001(冷轧钢板 1.0mm)"},
        {{"--item", "201", "--if-version", none, "25:000"}, 0, ""},
        {{"--item", "201", "--if-version", none, "25:000"}, 1, "02.001(主控电路板组件)"},
    };
    for (const Case& c : cases) {
        const QString before = Everything();
        const Outcome run = Run(QStringList{"rule", "set"} + c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << run.err.toStdString();
        const QString now = version(c.args[1].toUtf8().constData());
        if (c.exitCode == 0) {
            EXPECT_TRUE(run.out.endsWith("version " + now + "\n")) << what << run.out.toStdString();
            EXPECT_NE(now, c.args[3]) << what;
            continue;
        }
        EXPECT_EQ(run.err, "砚川提示: " + c.owner + "的批号规则现为版本" + now + "，而不是" + c.args[3] + "，什么也没有写\n");
        EXPECT_EQ(Everything(), before) << what << ": nothing written";
    }
}

// Every rule write is on record: who, through what, the rule before and
// after, the materials reached; a user sees the history his grants reach.
TEST_F(RuleCommand, HistoryShowsEveryChangeNewestFirstWithinTheGrants)
{
    ASSERT_EQ(Run({"rule", "set", "--item", "101", "23:yymmdd", "26:1:4"}).exitCode, 0);
    ASSERT_EQ(Run({"rule", "set", "--group", "7", "--replace-own-rules", "25:000"}).exitCode, 0);
    ASSERT_EQ(Run({"options", "set", "BatchManual=0", "BatchRepeatEcho=1"}).exitCode, 0);
    const auto lines = [](const Outcome& run) {
        QStringList kept;
        for (const QString& line : run.out.split('\n', Qt::SkipEmptyParts))
            kept << line.section('\t', 0, 0) + "|" + line.section('\t', 2);   // the time is the database's
        return kept;
    };
    const QString material = "1|16394 administrator\tcommand\tmaterial 101\t[供应商代码]+[自定义]+[日期]+[流水号] → "
                             "[日期]+[流水号]\t1";
    const QString group = "2|16394 administrator\tcommand\tgroup 7\t[物料代码]+[日期]+[流水号] → [行号]\t3";
    const QString options = "4|16394 administrator\toptions\toptions\tBatchManual=1 → BatchManual=0\t0";
    const QString spreadsOption = "3|16394 administrator\tcommand\toptions\tBatchItemIsTop=1 → BatchItemIsTop=0\t0";
    struct Case {
        QStringList args;
        int exitCode;
        QStringList shown;
    };
    const Case cases[] = {
        {{"--all"}, 0, {options, spreadsOption, group, material}},
        {{"--item", "101"}, 0, {material}},
        {{"--group", "7", "--props", "UserID=16395"}, 0, {group}},
        {{"--all", "--props", "UserID=16395"}, 1, {}},
        {{"--item", "101", "--props", "UserID=16396"}, 1, {}},
    };
    for (const Case& c : cases) {
        const Outcome run = Run(QStringList{"rule", "history"} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(lines(run), c.shown) << c.args.join(' ').toStdString();
    }
    Native("DROP TABLE ICBatchNoRuleHistory");
    const Outcome none = Run({"rule", "history", "--all", "--props", "UserID=16394;LANGUAGE=en"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("run “vell-batchrule init” to create it")) << none.err.toStdString();
    EXPECT_EQ(Run({"rule", "set", "--item", "101", "23:yymmdd"}).exitCode, 0) << "without history, rules are written as ever";
}

// A restore gives back exactly what the change replaced, every material's
// rule of a spread included, and is itself on record.
TEST_F(RuleCommand, RestoreGivesBackEveryRuleTheChangeReplaced)
{
    const QStringList changes[] = {
        {"--group", "7", "--replace-own-rules", "25:000"},
        {"--group", "0", "--spare-own-rules", "23:yymmdd"},
        {"--group", "3", "--replace-own-rules", "23:yyyymmdd"},
        {"--item", "101", "25:000"},
    };
    for (const QStringList& change : changes) {
        SetUp();
        const QString before = AllRules();
        const Outcome set = Run(QStringList{"rule", "set"} + change + QStringList{"26:1:6"});
        ASSERT_EQ(set.exitCode, 0) << change.join(' ').toStdString() << set.err.toStdString();
        ASSERT_NE(AllRules(), before);
        const QString entry = Sql("SELECT MAX(FEntryID) FROM ICBatchNoRuleHistory WHERE FDetail < 2").section('\n', 1, 1);
        const Outcome restore = Run({"rule", "restore", "--entry", entry});
        EXPECT_EQ(restore.exitCode, 0) << change.join(' ').toStdString() << restore.err.toStdString();
        EXPECT_EQ(AllRules(), before) << change.join(' ').toStdString();
        EXPECT_TRUE(restore.out.contains("\trestore\t")) << restore.out.toStdString();
        EXPECT_EQ(Run({"rule", "restore", "--entry", entry}).exitCode, 1) << "the restore moved the rule on";
    }
}

// A restore over a newer change is refused, naming it, unless forced; a
// user restores only what his grants reach.
TEST_F(RuleCommand, RestoreRefusesOverANewerChangeAndBeyondTheGrants)
{
    const QString demo = AllRules();
    ASSERT_EQ(Run({"rule", "set", "--group", "7", "--replace-own-rules", "25:000"}).exitCode, 0);
    ASSERT_EQ(Run({"rule", "set", "--item", "311", "23:yymmdd"}).exitCode, 0);
    const QString changed = AllRules();
    struct Case {
        QStringList args;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {{"--entry", "1", "--props", "UserID=16394;LANGUAGE=en"}, 1, "(record 3, material 311: administrator(16394)"},
        {{"--entry", "3", "--props", "UserID=16396;LANGUAGE=en"}, 1, "Material 311"},
        {{"--entry", "2", "--props", "UserID=16394;LANGUAGE=en"}, 1, "a change of the batch options"},
        {{"--entry", "9"}, 1, "没有编号为9的批号规则历史记录"},
        {{"--entry", "1", "--force"}, 0, ""},
    };
    for (const Case& c : cases) {
        const Outcome run = Run(QStringList{"rule", "restore"} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        if (c.exitCode) {
            EXPECT_EQ(AllRules(), changed) << "nothing written: " << c.args.join(' ').toStdString();
        }
    }
    EXPECT_EQ(AllRules(), demo) << "forced: every rule before the spread is back";
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
    // Only the keys named are written: BatchItemIsTop, read as its default, gets no row.
    EXPECT_EQ(Sql("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey").section('\n', 1),
              "AutoCreateBatNo\t1\nBatchLackManual\t0\nBatchManual\t0\nBatchRepeatEcho\t1\n");
    EXPECT_EQ(Run({"options", "set", "BatchManual=2"}).exitCode, 1);
    EXPECT_EQ(Run({"options", "set", "Nonsense=1"}).exitCode, 1);
}

// Two administrators at the same moment: one sets an option, the other sets
// an option or a rule (whose commit writes every option). Each reads,
// changes and writes in one unit of work, so neither puts the other's
// option back.
TEST_F(RuleCommand, AnOptionSetAtTheSameTimeAsAnotherWriteLands)
{
    struct Case {
        const char* name;
        QStringList other;   // the other seat's command; %1: the round's state
    };
    const Case cases[] = {
        {"options set on another key", {"options", "set", "AutoCreateBatNo=%1"}},
        {"rule set", {"rule", "set", "--item", "101", "23:yymmdd", "26:1:4"}},
    };
    for (const Case& c : cases)
        for (int round = 0; round < 20; ++round) {
            const QString state = QString::number(round % 2);
            QStringList other = c.other;
            other.replaceInStrings("%1", state);
            std::vector<std::unique_ptr<QProcess>> seats;
            for (const QStringList& args : {QStringList{"options", "set", "BatchLackManual=" + state}, other}) {
                seats.push_back(std::make_unique<QProcess>());
                seats.back()->setProcessEnvironment(ProgramEnvironment());
                seats.back()->start(VELL_BATCHRULE_PATH, args + QStringList{"--db", Db()});
            }
            for (auto& seat : seats) {
                ASSERT_TRUE(seat->waitForFinished(60000));
                EXPECT_EQ(seat->exitCode(), 0) << seat->readAllStandardError().toStdString();
            }
            EXPECT_EQ(Sql("SELECT FValue FROM t_SystemProfile WHERE FKey = 'BatchLackManual'").section('\n', 1),
                      state + "\n")
                << c.name << ", round " << round;
        }
}

TEST_F(RuleCommand, ReadFailureExitsNonZeroAndStopsBeforeWriting)
{
    Native("ALTER TABLE ICBatchNoRule RENAME TO ICBatchNoRuleOld");
    const Outcome shown = Run({"rule", "show", "--item", "101"});
    EXPECT_EQ(shown.exitCode, 1);
    EXPECT_TRUE(shown.err.contains("FetchBatchRule::")) << shown.err.toStdString();

    // A rule table without FDetail: the editor cannot read the stored rule, so nothing is written.
    Native("CREATE TABLE ICBatchNoRule AS SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,"
        "FCharacter,FSubCharacter FROM ICBatchNoRuleOld");
    const QString before = Sql("SELECT * FROM ICBatchNoRule ORDER BY FItemID,FID");
    const Outcome saved = Run({"rule", "set", "--item", "102", "23:yymmdd", "26:1:4"});
    EXPECT_EQ(saved.exitCode, 1);
    EXPECT_TRUE(saved.err.contains("FDetail")) << saved.err.toStdString();
    EXPECT_EQ(Sql("SELECT * FROM ICBatchNoRule ORDER BY FItemID,FID"), before);
}

TEST_F(RuleCommand, MissingTargetsAreNamedForWhatTheyAre)
{
    const Outcome item = Run({"rule", "show", "--item", "-1"});
    EXPECT_EQ(item.exitCode, 1);
    EXPECT_TRUE(item.err.contains("找不到物料-1")) << item.err.toStdString();
    EXPECT_FALSE(item.err.contains("物料组"));
    EXPECT_TRUE(Run({"rule", "show", "--group", "-1"}).err.contains("找不到物料组-1"));
}

TEST_F(RuleCommand, LongValuesAreCutInRefusals)
{
    const QString huge(10000, 'x');
    for (const QStringList& args : {QStringList{"rule", "set", "--item", "102", huge},
                                    QStringList{"rule", "set", "--item", "102", "24:" + huge},
                                    QStringList{"options", "set", huge + "=1"}, QStringList{"options", "set", "BatchManual=" + huge}}) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_LT(run.err.size(), 300) << run.err.left(300).toStdString();
        EXPECT_TRUE(run.err.contains(QString(40, 'x') + "…")) << run.err.left(300).toStdString();
    }
}

TEST_F(RuleCommand, ControlCharactersAreRefusedAndNothingIsWritten)
{
    const QString before = Everything();
    for (const QString& element : QStringList{"24:a\tb", "24:line\nbreak", "20::8:\x1b"}) {
        const Outcome run = Run({"rule", "set", "--item", "102", element});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("控制字符")) << run.err.toStdString();
    }
    EXPECT_EQ(Everything(), before);
}

TEST_F(RuleCommand, UserWithoutGrantsSeesNothing)
{
    for (const QString props : {"UserID=-1", "UserID=424242;LANGUAGE=chs"}) {
        EXPECT_TRUE(Run({"rule", "show", "--group", "7", "--props", props}).err.contains("找不到物料组7"));
        EXPECT_TRUE(Run({"rule", "show", "--item", "311", "--props", props}).err.contains("找不到物料311"));
    }
    EXPECT_EQ(Run({"rule", "show", "--item", "311"}).exitCode, 0);
}

// The root's rule reaches every material, and a batch every table: both need the grant of every group.
TEST_F(RuleCommand, RestrictedUserReachesNothingOutsideTheGrantsTheRootsRuleAndSqlIncluded)
{
    const QString props = "UserID=16395;LANGUAGE=chs", csv = dir.filePath("root.csv");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Owner,Number,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter\n"
               "group,,1,25,0,00,,2,,\n");
    file.close();
    const QString before = Everything();
    const char* const root = "根物料组的规则适用于所有物料，只有有权查看所有物料组的用户才能查看或更改它";
    const std::pair<QStringList, const char*> refused[] = {
        {{"rule", "set", "--item", "111", "25"}, "找不到物料111"},
        {{"rule", "set", "--group", "3", "25"}, "找不到物料组3"},
        {{"rule", "show", "--group", "0"}, root},
        {{"rule", "preview", "--group", "0"}, root},
        {{"rule", "set", "--group", "0", "--replace-own-rules", "25"}, root},
        {{"rule", "set", "--group", "0", "--dry-run", "25"}, root},
        {{"edit", "--group", "0"}, root},
        {{"rule", "import", csv}, root},
    };
    for (const auto& [args, reason] : refused) {
        const Outcome run = Run(QStringList(args) << "--props" << props);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(reason)) << args.join(' ').toStdString() << ": " << run.err.toStdString();
    }
    const Outcome sql = RunProgram({"sql", "--db", Db(), "--props", props}, "INSERT INTO t_UserGroupAccess VALUES (16395, '*')");
    EXPECT_EQ(sql.exitCode, 1);
    EXPECT_TRUE(sql.err.contains("只有有权查看所有物料组的用户才能运行SQL语句")) << sql.err.toStdString();
    EXPECT_EQ(Sql("SELECT FGroupNumber FROM t_UserGroupAccess WHERE FUserID = 16395"), "FGroupNumber\n01.01\n03.02\n");
    EXPECT_EQ(Everything(), before);

    EXPECT_EQ(Run({"rule", "set", "--group", "1", "--replace-own-rules", "25", "--props", props}).exitCode, 0);
    EXPECT_EQ(RuleRows(111, 1).count('\n'), 0) << "01.02 is hidden from the storekeeper";
    EXPECT_EQ(RuleRows(101, 1), "1\t25\t0\t00\t\t2\t\t\n");
}

TEST_F(RuleCommand, OptionsSetOnADatabaseWithoutOptionRowsStoresWhatItSays)
{
    const QString synthetic = dir.filePath("synthetic.sqlite");
    ASSERT_EQ(RunProgram({"demo-db", "--out", synthetic, "--groups", "2", "--materials", "5"}).exitCode, 0);
    const Outcome set = RunProgram({"options", "set", "--db", synthetic, "BatchManual=1", "BatchItemIsTop=0"});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    const QString shown = RunProgram({"options", "show", "--db", synthetic}).out;
    EXPECT_TRUE(shown.contains("BatchManual=1\t") && shown.contains("BatchItemIsTop=0\t")) << shown.toStdString();
}

// SQL Server matches an option key stored with trailing blanks.
TEST_F(RuleCommand, OptionKeysWithTrailingBlanksAreReadAndWritten)
{
    Sql("UPDATE t_SystemProfile SET FKey = FKey || '   ' WHERE FKey IN ('BatchManual', 'AutoCreateBatNo')");
    Sql("INSERT INTO t_SystemProfile (FCategory,FKey,FValue) VALUES ('IC','BatchItemIsTop  ','0')");
    EXPECT_TRUE(Run({"options", "show"}).out.contains("BatchManual=1\t"));
    EXPECT_TRUE(Run({"options", "show"}).out.contains("BatchItemIsTop=0\t"));
    const Outcome set = Run({"options", "set", "BatchManual=0", "AutoCreateBatNo=1", "BatchItemIsTop=1"});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(Sql("SELECT FKey || '|' || FValue FROM t_SystemProfile WHERE FKey IN ('BatchManual','AutoCreateBatNo',"
                  "'BatchItemIsTop') ORDER BY 1").section('\n', 1),
              "AutoCreateBatNo   |1\nBatchItemIsTop  |1\nBatchManual   |0\n");
}

TEST_F(RuleCommand, ReadsWorkOnAReadOnlyDatabase)
{
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto openFolder = readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    // Root passes any permission, so the program runs as nobody when the tests run as root,
    // from a copy nobody may reach.
    QString program = VELL_BATCHRULE_PATH;
    QStringList prefix;
    QTemporaryDir programDir;
    if (geteuid() == 0) {
        if (QStandardPaths::findExecutable("setpriv").isEmpty())
            GTEST_SKIP() << "setpriv is needed to drop root";
        ASSERT_TRUE(QFile::copy(program, programDir.filePath("vell-batchrule")));
        QFile::setPermissions(programDir.path(), openFolder);
        QFile::setPermissions(programDir.filePath("vell-batchrule"), openFolder);
        prefix = {"--reuid=65534", "--regid=65534", "--clear-groups", "--", programDir.filePath("vell-batchrule")};
        program = "setpriv";
    }
    QFile::setPermissions(dir.path(), openFolder);
    QFile::setPermissions(Db(), readOnly);
    RunOptions options;
    options.program = program;
    const Outcome run = RunProgram(prefix + QStringList{"rule", "show", "--item", "101", "--db", Db()}, options);
    QFile::setPermissions(dir.path(), openFolder | QFile::WriteOwner);
    QFile::setPermissions(programDir.path(), openFolder | QFile::WriteOwner);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("01.01.001(冷轧钢板 1.0mm)\n")) << run.out.toStdString();
}

TEST(ProgramRun, AProgramThatDoesNotRunFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(RunProgram({}, RunOptions{{}, 5000, "/no/such/program"}), "did not start");
    EXPECT_NONFATAL_FAILURE(RunProgram({"-c", "kill -9 $$"}, RunOptions{{}, 5000, "/bin/sh"}), "crashed");
    EXPECT_NONFATAL_FAILURE(RunProgram({"-c", "sleep 5"}, RunOptions{{}, 200, "/bin/sh"}), "timed out");
}

}
