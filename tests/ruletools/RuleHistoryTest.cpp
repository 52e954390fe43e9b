// Every rule write on record: the history's batches as sent, and what they
// leave in the demo database for a material, a spread, an import and a
// commit that failed.
#include "BatRuleEditor.h"
#include "GridTyping.h"
#include "RuleFixture.h"
#include "RuleHistory.h"
#include "RuleAdmin.h"
#include "RuleImport.h"
#include "SpreadGridModel.h"
#include "TestSupport.h"

namespace {

TEST(RuleHistorySql, BatchesAreTheComponentsOwn)
{
    EXPECT_EQ(RuleHistory::NextEntrySql(), " SELECT COALESCE(MAX(FEntryID), 0) + 1 AS FNext FROM ICBatchNoRuleHistory\r\n");
    const QString columns = "FItemID,FDetail,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                            "FSubCharacter";
    EXPECT_EQ(RuleHistory::OwnerRowsSql(7, RuleHistory::After, 311, RuleOwner::Material),
              " INSERT INTO ICBatchNoRuleHistoryRow (FEntryID,FStage," + columns + ")\r\n SELECT 7,1," + columns
                  + "\r\n FROM ICBatchNoRule\r\n WHERE FItemID=311 AND FDetail=1\r\n");
    EXPECT_EQ(RuleHistory::MaterialRowsSql(8, "03.02"),
              " INSERT INTO ICBatchNoRuleHistoryRow (FEntryID,FStage," + columns
                  + ")\r\n SELECT 8,0,r.FItemID,r.FDetail,r.FID,r.FPropertyID,r.FUseShortNumber,r.FFormatDate,"
                    "r.FSelDefine,r.FWidth,r.FCharacter,r.FSubCharacter\r\n FROM ICBatchNoRule r, t_ICItem i\r\n"
                    " WHERE r.FItemID=i.FItemID AND r.FDetail=1 AND i.FBatchManager=1\r\n"
                    "   AND i.FNumber like '03.02.%'\r\n");
    EXPECT_FALSE(RuleHistory::MaterialRowsSql(8, "").contains("LIKE")) << "the root's spread reaches every material";
    RuleHistory::Entry entry{9, 16394, "O'Brien", RuleOwner::Group, 7, "editor", "[日期]", "[日期]+[流水号]", 3, {}};
    EXPECT_EQ(RuleHistory::EntrySql(entry),
              " INSERT INTO ICBatchNoRuleHistory (FEntryID,FTime,FUserID,FUserName,FDetail,FItemID,FSource,FBefore,"
              "FAfter,FMaterials)\r\n VALUES (9,CURRENT_TIMESTAMP,16394,'O''Brien',0,7,'editor',N'[日期]',"
              "N'[日期]+[流水号]',3)\r\n");
    EXPECT_EQ(RuleHistory::ListSql(std::pair{RuleOwner::Material, 101}),
              " SELECT FEntryID,FTime,FUserID,FUserName,FDetail,FItemID,FSource,FBefore,FAfter,FMaterials\r\n"
              " FROM ICBatchNoRuleHistory\r\n WHERE FItemID=101 AND FDetail=1\r\n ORDER BY FEntryID DESC\r\n");
    EXPECT_TRUE(RuleHistory::ListSql(std::nullopt, QDate(2026, 12, 1))
                    .contains(" WHERE FTime>'2026-11-30T23:59:59.997'\r\n"));
}

TEST(RuleHistorySql, ARestorePutsBackTheRowsBeforeWithinTheGrants)
{
    const QString rows = "FItemID,FDetail,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                         "FSubCharacter";
    EXPECT_EQ(RuleHistory::RestoreOwnerSql(4, RuleOwner::Group, 7),
              " DELETE FROM ICBatchNoRule WHERE FItemID=7 AND FDetail=0\r\n INSERT INTO ICBatchNoRule (" + rows
                  + ")\r\n SELECT " + rows
                  + "\r\n FROM ICBatchNoRuleHistoryRow\r\n WHERE FEntryID=4 AND FStage=0 AND FItemID=7 AND FDetail=0\r\n");
    EXPECT_EQ(RuleHistory::RestoreMaterialsSql(4, "03_02", "t_Access a", "a.FUserID=2"),
              " Delete t1\r\n From ICBatchNoRule t1,t_ICItem t2,t_Access a\r\n"
              " Where t1.FItemID=t2.FItemID and t1.FDetail=1 and t2.FBatchManager = 1 and t2.FNumber like "
              "'03[_]02.%' and a.FUserID=2\r\n INSERT INTO ICBatchNoRule (" + rows
                  + ")\r\n SELECT t1.FItemID,t1.FDetail,t1.FID,t1.FPropertyID,t1.FUseShortNumber,t1.FFormatDate,"
                    "t1.FSelDefine,t1.FWidth,t1.FCharacter,t1.FSubCharacter\r\n"
                    " FROM ICBatchNoRuleHistoryRow t1,t_ICItem t2,t_Access a\r\n"
                    " WHERE t1.FEntryID=4 AND t1.FStage=0 AND t1.FDetail=1 AND t1.FItemID=t2.FItemID and "
                    "t2.FBatchManager = 1 and t2.FNumber like '03[_]02.%' and a.FUserID=2\r\n");
    const QString later = RuleHistory::LaterChangesSql(4, RuleOwner::Group, 9, QString("03.02.01"));
    for (const char* reach : {" WHERE FEntryID>4 AND (FItemID=9 AND FDetail=0\r\n",
                              "OR FDetail=1 AND FItemID IN (SELECT FItemID FROM t_ICItem WHERE FBatchManager=1 AND "
                              "FNumber like '03.02.01.%')",
                              "OR FDetail=0 AND FItemID=0", "FNumber IN ('03','03.02')"})
        EXPECT_TRUE(later.contains(reach)) << reach << later.toStdString();
    EXPECT_FALSE(RuleHistory::LaterChangesSql(4, RuleOwner::Material, 101, std::nullopt).contains(" OR "))
        << "a material's own rule alone";
}

class History : public RuleFixture {
protected:
    History() : RuleFixture("UserID=16394;UserName=张三;LANGUAGE=chs;SUBID=IC") {}

    QString Entries()
    {
        return db.Rows("SELECT FEntryID,FUserID,FUserName,FDetail,FItemID,FSource,FBefore,FAfter,FMaterials "
                       "FROM ICBatchNoRuleHistory ORDER BY FEntryID");
    }
    // "stage:owner/detail:properties" of an entry's rows.
    QString Rows(int entry)
    {
        return db.Rows(QString("SELECT FStage || ':' || FItemID || '/' || FDetail || ':' || group_concat(FPropertyID) "
                               "FROM (SELECT * FROM ICBatchNoRuleHistoryRow WHERE FEntryID = %1 "
                               "ORDER BY FStage,FItemID,FDetail,FID) GROUP BY FStage,FItemID,FDetail")
                           .arg(entry));
    }

    SpreadGridModel grid;
    BatRuleEditor editor{grid};
};

TEST_F(History, AMaterialsCommitRecordsWhoWhatAndTheRowsBeforeAndAfter)
{
    editor.ItemID = 101;
    editor.ItemNumberName = "01.01.001(冷轧钢板 1.0mm)";
    editor.ParentItemID = 2;
    editor.ParentItemNumberName = "01.01(钢材)";
    editor.historySource = "editor";
    editor.Open();
    editor.SetLevelText("1");
    Row(grid, 1, 23, "yymmdd");
    ASSERT_TRUE(editor.Commit().closed) << Messages().join('\n').toStdString();
    EXPECT_EQ(Entries(), "1|16394|张三|1|101|editor|8+24+23+26|23|1") << "the rules as property ids, in no language";
    EXPECT_EQ(Rows(1), "0:101/1:8,24,23,26\n1:101/1:23");
    EXPECT_FALSE(db.Scalar("SELECT FTime FROM ICBatchNoRuleHistory").isEmpty()) << "by the database's clock";
}

TEST_F(History, AnOptionTheEditorChangesIsOnRecordAndOneItLeavesIsNot)
{
    editor.ItemID = 101;
    editor.ItemNumberName = "01.01.001(冷轧钢板 1.0mm)";
    editor.historySource = "editor";
    editor.Open();
    editor.options.autoCreate = 1 - editor.options.autoCreate;
    ASSERT_TRUE(editor.Commit().closed) << Messages().join('\n').toStdString();
    EXPECT_EQ(db.Rows("SELECT FDetail,FItemID,FSource,FBefore,FAfter FROM ICBatchNoRuleHistory WHERE FDetail=2"),
              "2|0|editor|AutoCreateBatNo=0|AutoCreateBatNo=1");
    editor.Open();
    ASSERT_TRUE(editor.Commit().closed);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM ICBatchNoRuleHistory WHERE FDetail=2"), "1");
}

TEST_F(History, ASpreadKeepsEveryMaterialsRuleItMayReplaceAndCountsThem)
{
    editor.ParentItemID = 7;
    editor.ParentItemNumberName = "03.02(食品饮料)";
    editor.historySource = "editor";
    editor.Open();
    editor.options.itemIsTop = 0;
    editor.SetLevelText("1");
    Row(grid, 1, 25, "000");
    const QString before = db.Rows("SELECT FItemID || ':' || group_concat(FPropertyID) FROM (SELECT * FROM ICBatchNoRule "
                                   "WHERE FDetail = 1 AND FItemID IN (311, 312, 313) ORDER BY FItemID, FID) "
                                   "GROUP BY FItemID");
    ASSERT_TRUE(editor.Commit().closed) << Messages().join('\n').toStdString();
    EXPECT_EQ(db.Scalar("SELECT FMaterials FROM ICBatchNoRuleHistory"), "3");
    QStringList kept;
    for (const QString& line : before.split('\n'))
        kept << "0:" + line.section(':', 0, 0) + "/1:" + line.section(':', 1);
    EXPECT_TRUE(Rows(1).contains(kept.join('\n'))) << Rows(1).toStdString();
}

TEST_F(History, AFailedCommitLeavesNoEntryAndNoCommandWithoutASourceIsRecorded)
{
    struct Case {
        const char* source;
        const char* failOn;   // "" : the commit lands
    };
    for (const Case c : {Case{"command", " Delete from ICBatchNoRule"}, Case{"", ""}}) {
        SpreadGridModel fresh;
        BatRuleEditor material(fresh);
        material.ItemID = 101;
        material.ItemNumberName = "01.01.001(冷轧钢板 1.0mm)";
        material.ParentItemID = 2;
        material.ParentItemNumberName = "01.01(钢材)";
        material.historySource = c.source;
        material.Open();
        connection->failWith = *c.failOn ? "磁盘已满" : "";
        connection->failOn = c.failOn;
        material.Commit();
        connection->failWith.clear();
        EXPECT_EQ(Entries(), "") << c.source;
        EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM ICBatchNoRuleHistoryRow"), "0") << c.source;
    }
}

TEST_F(History, TheLibrarysCallsAreOnRecordAsTheHostsUnlessTheProgramNamesItself)
{
    ASSERT_TRUE(RuleAdmin::SetRule({101, std::nullopt}, {"23:yymmdd"}, RuleAdmin::OwnRules::AsStored));
    RuleAdmin::SetHistorySource("command");
    const bool set = bool(RuleAdmin::SetRule({101, std::nullopt}, {"25:000"}, RuleAdmin::OwnRules::AsStored));
    RuleAdmin::SetHistorySource("host");
    ASSERT_TRUE(set);
    EXPECT_EQ(db.Rows("SELECT FSource, FAfter FROM ICBatchNoRuleHistory ORDER BY FEntryID"), "host|23\ncommand|25");
}

TEST_F(History, AnImportRecordsEachRuleItWrites)
{
    RuleImport import;
    import.Prepare(RuleFile::ReadCsv("Owner,Number,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,"
                                     "FCharacter,FSubCharacter\r\n"
                                     "item,01.01.002,1,23,0,yymmdd,,6,,\r\ngroup,01.02,1,4,1,,,6,0,X\r\n"),
                   1);
    ASSERT_TRUE(import.Refusals().isEmpty());
    ASSERT_TRUE(import.Write()) << Messages().join('\n').toStdString();
    EXPECT_EQ(db.Rows("SELECT FEntryID,FDetail,FItemID,FSource,FAfter FROM ICBatchNoRuleHistory ORDER BY FEntryID"),
              "1|0|3|import|4\n2|1|102|import|23");
}

}
