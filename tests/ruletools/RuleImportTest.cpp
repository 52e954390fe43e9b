// Rules from a rule file through the editor: refusals with their lines and
// nothing written, or all of it in one unit of work.
#include "DemoDatabase.h"
#include "RuleFixture.h"
#include "RuleImport.h"
#include "StoredRules.h"
#include "TestSupport.h"

#include <QRegularExpression>

namespace {

const QString kHeader = "Owner,Number,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter\r\n";

class Import : public RuleFixture {
protected:
    using RuleFixture::RuleFixture;

    QString RuleRows()
    {
        return db.Rows("SELECT FItemID,FDetail,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                       "FSubCharacter FROM ICBatchNoRule ORDER BY 1,2,3");
    }
    QString Everything() { return RuleRows() + db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey"); }

    // "line:message" of every refusal.
    QStringList Refused(const QString& rows, int itemIsTop = -1)
    {
        import.Prepare(RuleFile::ReadCsv(kHeader + rows), itemIsTop);
        QStringList refused;
        for (const RuleImport::Refusal& refusal : import.Refusals())
            refused << QString::number(refusal.line) + ":" + refusal.message;
        return refused;
    }

    QString RuleOf(int owner, int detail)
    {
        return db.Rows(QString("SELECT group_concat(FPropertyID || '/' || FWidth) FROM "
                               "(SELECT * FROM ICBatchNoRule WHERE FItemID = %1 AND FDetail = %2 ORDER BY FID)")
                           .arg(owner)
                           .arg(detail));
    }

    RuleImport import;
};

TEST_F(Import, ASoundFileLandsInOneUnitOfWorkWithTheOptions)
{
    EXPECT_EQ(Refused("item,01.01.002,2,26,0,,1,4,,\r\n"
                      "item,01.01.002,1,23,0,yymmdd,,6,,\r\n"
                      "group,01.02,1,4,1,,,6,0,X\r\n"
                      "item,02.001,1,20,0,,,10,0,\r\n",
                      0),
              QStringList());
    EXPECT_EQ(import.ItemRules(), 2);
    EXPECT_EQ(import.GroupRules(), 1);
    connection->calls.clear();
    ASSERT_TRUE(import.Write());
    EXPECT_EQ(connection->calls.indexOf("BeginTrans"), 1) << "after the look for the history table, one unit";
    EXPECT_EQ(connection->calls.last(), "CommitTrans");
    EXPECT_EQ(connection->calls.count("BeginTrans"), 1);
    EXPECT_EQ(RuleOf(102, 1), "23/6,26/4") << "levels in FID order, wherever the rows stood";
    EXPECT_EQ(RuleOf(201, 1), "20/10");
    EXPECT_EQ(RuleOf(3, 0), "4/6");
    EXPECT_EQ(RuleOf(111, 1), "4/6") << "the group spread to its materials";
    EXPECT_EQ(db.Scalar("SELECT FValue FROM t_SystemProfile WHERE FKey = 'BatchItemIsTop'"), "0");
}

TEST_F(Import, GroupsSpreadBeforeTheMaterialsRulesLand)
{
    // The file names the material first; its own rule still wins over its group's spread.
    EXPECT_EQ(Refused("item,03.02.001,1,25,0,000,,3,,\r\n"
                      "group,03,1,20,0,,,8,0,\r\n"
                      "group,,1,21,0,,,8,0,\r\n",
                      0),
              QStringList());
    ASSERT_TRUE(import.Write());
    EXPECT_EQ(RuleOf(311, 1), "25/3");
    EXPECT_EQ(RuleOf(312, 1), "20/8") << "03 spread after the root";
    EXPECT_EQ(RuleOf(101, 1), "21/8");
    EXPECT_EQ(RuleOf(0, 0), "21/8");
}

TEST_F(Import, EveryRefusedLineIsListedAndNothingIsWritten)
{
    const QString before = Everything();
    const QStringList refused = Refused("item,01.01.002,1,23,0,yymmdd,,8,,\r\n"        // 2: a date's length is its format's
                                        "item,09.999,1,25,0,00,,2,,\r\n"               // 3: no such material
                                        "item,01.01.003,1,25,0,00,,2,,\r\n"            // 4: not batch-managed
                                        "group,77,1,25,0,00,,2,,\r\n"                  // 5: no such group
                                        "item,02.001,1,20,0,,,10,,\r\n"                // 6: no pad character
                                        "item,03.01.002,1,99,0,,,3,0,\r\n"             // 7: no such property
                                        "item,03.02.001,1,23,0,yymmdd,,6,,\r\n"
                                        "item,03.02.001,3,26,0,,1,4,,\r\n"             // 9: level 2 is missing
                                        "item,010.001,1,20,0,,,150,0,\r\n"
                                        "item,010.001,2,21,0,,,51,0,\r\n"              // 10, 11: over 200, at its first line
                                        "item,03.02.002,1,1,2,,,4,0,\r\n"              // 12: no such code length
                                        "bad,row\r\n");                                // 13: not a row
    EXPECT_EQ(refused, (QStringList{
                           "2:第1级的这一格由属性决定，不能输入“8”",
                           "3:找不到批次管理的物料09.999或无权查看它",
                           "4:找不到批次管理的物料01.01.003或无权查看它",
                           "5:找不到物料组77或无权查看它",
                           "6:系统检测到[级次=1]的编码属性的补位符未设置，请重新设置！",
                           "7:第1级的属性99不在属性目录中，单据无法提供它",
                           "9:级次应是2，而不是3：一条规则的级次从1起连续编号",
                           "10:批次设置长度超过200，请重新设置",
                           "12:第1级的FUseShortNumber应是0（长代码）或1（短代码）",
                           "13:应有10项，而不是2项",
                       }));
    EXPECT_TRUE(Messages().isEmpty()) << "refusals are listed, not shown one by one";
    EXPECT_EQ(Everything(), before);
    EXPECT_EQ(connection->calls.count("BeginTrans"), 0);
}

TEST_F(Import, TheEditorsTypingRulesHold)
{
    EXPECT_EQ(Refused("item,01.01.002,1,23,0,yy.mm,,5,,\r\n"
                      "item,01.01.001,1,25,0,0x0,,3,,\r\n"
                      "item,02.001,1,24,0,,\"a\tb\",3,,\r\n"
                      "item,03.01.002,1,26,0,,1,4,,X\r\n"),
              (QStringList{"2:第1级没有“yy.mm”这一选项", "3:第1级的行号格式只能由0组成，不能是“0x0”",
                           "4:第1级的“a␉b”含有换行、制表符等控制字符，批号中不能使用，请重新设置",
                           "5:第1级的这一格由属性决定，不能输入“X”"}));
}

TEST_F(Import, AStoredProjectNumberComesInAsTheEditorShowsIt)
{
    EXPECT_EQ(Refused("item,01.01.002,1,22,0,,,6,0,\r\nitem,01.01.002,2,26,0,,1,4,,\r\n"), QStringList());
    ASSERT_TRUE(import.Write());
    EXPECT_EQ(RuleOf(102, 1), "22/6,26/4");
}

TEST_F(Import, AWriterThatFailsUndoesTheWholeFile)
{
    const QString before = Everything();
    EXPECT_EQ(Refused("item,01.01.002,1,25,0,00,,2,,\r\nitem,02.001,1,25,0,00,,2,,\r\n"), QStringList());
    connection->failWith = "磁盘已满";
    connection->failOn = "Delete from ICBatchNoRule \r\n Where FItemID=201";
    EXPECT_FALSE(import.Write());
    EXPECT_EQ(Everything(), before) << "01.01.002 was written first, and undone";
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith("系统在调用函数TakingItemDetailSaves()时发生错误"));
    EXPECT_EQ(connection->calls.last(), "RollbackTrans");
}

TEST_F(Import, StoredRulesComeBackAsTheyWere)
{
    QString file = RuleFile::CsvHeader();
    ASSERT_TRUE(StoredRules::Read([&](const StoredRule& rule) { file += RuleFile::CsvRows(rule); }));
    const QString before = RuleRows();
    db.Connection().Execute("DELETE FROM ICBatchNoRule");
    import.Prepare(RuleFile::ReadCsv(file), -1);
    ASSERT_TRUE(import.Refusals().isEmpty()) << import.Refusals().value(0).message.toStdString();
    ASSERT_TRUE(import.Write());
    EXPECT_EQ(RuleRows(), before);
}

TEST_F(Import, AnExactNumberWinsAndOneThatMatchesSeveralOnlyLooselyIsRefused)
{
    // Two materials whose numbers differ in case only, and two in a trailing blank.
    db.Connection().Execute("INSERT INTO t_ICItem VALUES (901, '03.02.00A', '甲', 7, 1)\n"
                            "INSERT INTO t_ICItem VALUES (902, '03.02.00a', '乙', 7, 1)\n"
                            "INSERT INTO t_ICItem VALUES (903, '03.02.00b', '丙', 7, 1)\n"
                            "INSERT INTO t_ICItem VALUES (904, '03.02.00b ', '丁', 7, 1)");
    const QString before = Everything();
    EXPECT_EQ(Refused("item,03.02.00A,1,25,0,00,,2,,\r\n"
                      "item,03.02.00A ,1,25,0,00,,2,,\r\n"
                      "item,03.02.00B,1,25,0,00,,2,,\r\n"),
              (QStringList{"3:物料代码“03.02.00A ”与多个物料相近：“03.02.00A”, “03.02.00a”，不能确定是哪一个",
                           "4:物料代码“03.02.00B”与多个物料相近：“03.02.00b”, “03.02.00b ”，不能确定是哪一个"}));
    EXPECT_EQ(Everything(), before);

    RuleImport exact;
    exact.Prepare(RuleFile::ReadCsv(kHeader + "item,03.02.00a,1,25,0,00,,2,,\r\nitem,03.02.00b ,1,25,0,000,,3,,\r\n"
                                                     "item,03.02.001 ,1,23,0,yymmdd,,6,,\r\nitem,03.02.001,2,26,0,,1,4,,\r\n"),
                         -1);
    ASSERT_TRUE(exact.Refusals().isEmpty()) << exact.Refusals().value(0).message.toStdString();
    ASSERT_TRUE(exact.Write());
    EXPECT_EQ(RuleOf(902, 1), "25/2");
    EXPECT_EQ(RuleOf(901, 1), "");
    EXPECT_EQ(RuleOf(904, 1), "25/3");
    EXPECT_EQ(RuleOf(903, 1), "");
    EXPECT_EQ(RuleOf(311, 1), "23/6,26/4") << "a loose match still finds its one owner, and two spellings are one rule";
    EXPECT_EQ(exact.ItemRules(), 3);
}

// Group rules of one file: the dry run's changes are those the import makes.
struct NestedCase {
    const char* name;
    QList<std::pair<QString, int>> groups;   // number, the width of its one-element rule
};

void PrintTo(const NestedCase& nested, std::ostream* os)
{
    *os << nested.name;
}

class NestedGroups : public Import, public testing::WithParamInterface<std::tuple<NestedCase, int>> {};

TEST_P(NestedGroups, TheDryRunSaysWhatTheImportDoes)
{
    const auto& [nested, itemIsTop] = GetParam();
    QString file;
    for (const auto& [number, width] : nested.groups)
        file += QString("group,%1,1,20,0,,,%2,0,\r\n").arg(number).arg(width);
    const QString rulesOf = "SELECT FItemID, (SELECT group_concat(FPropertyID || '/' || FWidth) FROM ICBatchNoRule r "
                            "WHERE r.FItemID = i.FItemID AND r.FDetail = 1) FROM t_ICItem i WHERE FBatchManager = 1 ORDER BY 1";
    const QStringList before = db.Rows(rulesOf).split('\n');
    ASSERT_EQ(Refused(file, itemIsTop), QStringList());
    const auto changes = import.DryRun();
    ASSERT_TRUE(changes);
    ASSERT_TRUE(import.Write());
    const QStringList after = db.Rows(rulesOf).split('\n');

    int receiving = 0;
    for (const RuleImport::SpreadChange& change : *changes) {
        const auto group = std::find_if(nested.groups.begin(), nested.groups.end(), [&](const auto& g) {
            return g.first.isEmpty() ? change.groupText == "物料" : change.groupText.startsWith(g.first + "(");
        });
        ASSERT_NE(group, nested.groups.end()) << change.groupText.toStdString();
        const int given = int(after.filter(QRegularExpression(QString("\\|20/%1$").arg(group->second))).size());
        EXPECT_EQ(change.counts.Receiving(itemIsTop != 0), given) << change.groupText.toStdString();
        receiving += given;
    }
    int changed = 0;
    for (qsizetype i = 0; i < after.size(); ++i)
        changed += after[i] != before[i] ? 1 : 0;
    EXPECT_EQ(receiving, changed) << "every material the import changes is in the dry run, once";
}

INSTANTIATE_TEST_SUITE_P(
    Import, NestedGroups,
    testing::Combine(testing::Values(NestedCase{"RootAndInner", {{"", 11}, {"03.01", 12}}},
                                     NestedCase{"InnerFirstInTheFile", {{"03.02", 13}, {"03", 14}, {"", 15}}},
                                     NestedCase{"Siblings", {{"01.01", 16}, {"01.02", 17}, {"03", 18}}},
                                     NestedCase{"ANumberThatOnlyBeginsTheSame", {{"01", 19}, {"010", 21}}}),
                     testing::Values(0, 1)),
    [](const auto& info) { return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_Spare" : "_Replace"); });

TEST_F(Import, WhenOwnRulesAreSparedTheMoreSpecificGroupStillWins)
{
    ASSERT_EQ(Refused("group,,1,20,0,,,11,0,\r\ngroup,03.01,1,20,0,,,12,0,\r\n", 1), QStringList());
    ASSERT_TRUE(import.Write());
    EXPECT_EQ(RuleOf(302, 1), "20/12") << "03.01's material without a rule gets 03.01's, not the root's";
    EXPECT_EQ(RuleOf(102, 1), "20/11");
    EXPECT_EQ(RuleOf(301, 1), "20/10,25/2") << "an own rule is spared";
}

class RestrictedImport : public Import {
protected:
    RestrictedImport() : Import(QStringLiteral("UserID=%1;LANGUAGE=chs").arg(DemoDatabase::RestrictedUserID)) {}
};

TEST_F(RestrictedImport, WhatTheUserMayNotSeeIsNotFound)
{
    EXPECT_EQ(Refused("item,01.02.001,1,25,0,00,,2,,\r\ngroup,03.01,1,25,0,00,,2,,\r\nitem,01.01.002,1,25,0,00,,2,,\r\n"),
              (QStringList{"2:找不到批次管理的物料01.02.001或无权查看它", "3:找不到物料组03.01或无权查看它"}));
}

}
