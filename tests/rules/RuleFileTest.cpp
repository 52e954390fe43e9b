#include "RuleFile.h"
#include "RuleFixture.h"
#include "StoredRules.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QJsonArray>

namespace {

StoredRule Rule(bool group, const QString& number, QList<BatRuleStruct> elements)
{
    StoredRule rule;
    rule.group = group;
    rule.number = number;
    rule.elements = std::move(elements);
    return rule;
}

BatRuleStruct Custom(qint32 fid, const QString& characters)
{
    BatRuleStruct e;
    e.FID = fid;
    e.FPropertyID = 24;
    e.FSelDefine = characters;
    e.FWidth = int(characters.size());
    return e;
}

// Problems are translated and filled in as the session does it.
class RuleFileRead : public RuleFixture {};

const QString kHeader = "Owner,Number,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter\r\n";

TEST(RuleFile, WritesOneRowPerElementQuotingOnlyWhatNeedsIt)
{
    EXPECT_EQ(RuleFile::CsvHeader(), kHeader);
    const StoredRule rule = Rule(false, "01,02", {Custom(1, "a\"b"), Custom(2, "line\nbreak"), Custom(3, "plain")});
    EXPECT_EQ(RuleFile::CsvRows(rule), "item,\"01,02\",1,24,0,,\"a\"\"b\",3,,\r\n"
                                       "item,\"01,02\",2,24,0,,\"line\nbreak\",10,,\r\n"
                                       "item,\"01,02\",3,24,0,,plain,5,,\r\n");
}

TEST(RuleFile, ReadsBackWhatItWrites)
{
    const StoredRule rule = Rule(true, "03.02", {Custom(1, "a,\"b\"\r\nc"), Custom(2, "自定义")});
    const RuleFile::Contents read = RuleFile::ReadCsv(RuleFile::CsvHeader() + RuleFile::CsvRows(rule));
    EXPECT_TRUE(read.problems.isEmpty());
    ASSERT_EQ(read.rows.size(), 2);
    EXPECT_TRUE(read.rows[0].group);
    EXPECT_EQ(read.rows[0].number, "03.02");
    EXPECT_EQ(read.rows[0].element.FSelDefine, "a,\"b\"\r\nc");
    EXPECT_EQ(read.rows[0].line, 2);
    EXPECT_EQ(read.rows[1].line, 4) << "the quoted line break counts";
    EXPECT_EQ(read.rows[1].element.FSelDefine, "自定义");
    EXPECT_EQ(read.rows[1].element.FWidth, 3);
}

TEST(RuleFile, TakesLineFeedsABomBlankLinesAndAnyCaseOfTheHeader)
{
    const QString text = QChar(0xfeff) + QString(kHeader).toLower().replace("\r\n", "\n")
                         + "\nGROUP,,1,26,0,,1,4,,\n\nitem,01.01.001,1,25,0,00,,2,,";
    const RuleFile::Contents read = RuleFile::ReadCsv(text);
    EXPECT_TRUE(read.problems.isEmpty()) << read.problems.value(0).message.toStdString();
    ASSERT_EQ(read.rows.size(), 2);
    EXPECT_TRUE(read.rows[0].group);
    EXPECT_EQ(read.rows[0].number, "") << "the root";
    EXPECT_EQ(read.rows[0].line, 3);
    EXPECT_EQ(read.rows[1].element.FFormatDate, "00");
    EXPECT_EQ(read.rows[1].line, 5);
}

TEST_F(RuleFileRead, EveryMalformedRowIsAProblemWithItsLine)
{
    const RuleFile::Contents read = RuleFile::ReadCsv(kHeader + "item,01,1,24,0,,x,1,,\r\n"
                                                                "stock,01,1,24,0,,x,1,,\r\n"
                                                                "item,01,one,24,0,,x,1,,\r\n"
                                                                "item,01,1,24\r\n"
                                                                "item,01,2,24,0,,\"open,1,,\r\n");
    ASSERT_EQ(read.problems.size(), 4);
    EXPECT_EQ(read.problems[0].line, 3);
    EXPECT_TRUE(read.problems[0].message.contains("stock"));
    EXPECT_EQ(read.problems[1].line, 4);
    EXPECT_TRUE(read.problems[1].message.contains("FID")) << read.problems[1].message.toStdString();
    EXPECT_EQ(read.problems[2].line, 5);
    EXPECT_TRUE(read.problems[2].message.contains("10")) << read.problems[2].message.toStdString();
    EXPECT_EQ(read.problems[3].line, 6);
    EXPECT_EQ(read.problems[3].message, "引号没有结束");
    EXPECT_EQ(read.rows.size(), 1);
}

TEST_F(RuleFileRead, AFileWithoutTheHeaderIsRefusedAtItsFirstLine)
{
    for (const QString& text : {QString(), QString("item,01,1,24,0,,x,1,,\r\n")}) {
        const RuleFile::Contents read = RuleFile::ReadCsv(text);
        ASSERT_EQ(read.problems.size(), 1);
        EXPECT_EQ(read.problems[0].line, 1);
        EXPECT_TRUE(read.problems[0].message.contains("Owner,Number,FID"));
        EXPECT_TRUE(read.rows.isEmpty());
    }
}

// A stream that is no rule file ends the reading where it shows, before it fills the memory.
struct ReaderCase {
    const char* name;
    QByteArray bytes;
    RuleFile::Reader::Outcome outcome;
    int line;
    int rowsTaken;
};

class RuleFileStream : public RuleFileRead, public testing::WithParamInterface<ReaderCase> {};

TEST_P(RuleFileStream, EndsAtTheFirstLimitPassed)
{
    QByteArray bytes = GetParam().bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    RuleFile::Reader reader(device, 3);
    int taken = 0;
    EXPECT_EQ(reader.Read([&](RuleFile::Row&) { ++taken; }), GetParam().outcome);
    EXPECT_EQ(reader.Line(), GetParam().line);
    EXPECT_EQ(taken, GetParam().rowsTaken);
}

const QByteArray kRow = "item,01,1,24,0,,x,1,,\r\n";
using Outcome = RuleFile::Reader::Outcome;

INSTANTIATE_TEST_SUITE_P(
    RuleFile, RuleFileStream,
    testing::Values(ReaderCase{"AsManyRowsAsAllowed", kHeader.toUtf8() + kRow + kRow + kRow, Outcome::Read, 4, 3},
                    ReaderCase{"OneRowTooMany", kHeader.toUtf8() + kRow + kRow + kRow + kRow, Outcome::TooManyRows, 5, 3},
                    ReaderCase{"BlankLinesCountAsRows", kHeader.toUtf8() + kRow + "\r\n\n" + QByteArray(100000, '\n'),
                               Outcome::TooManyRows, 5, 1},
                    ReaderCase{"NoHeader", kRow + kRow, Outcome::NoHeader, 1, 0},
                    ReaderCase{"NothingButZeros", QByteArray(100000, '\0'), Outcome::RecordTooLong, 1, 0},
                    ReaderCase{"AnEndlessField", kHeader.toUtf8() + kRow + "item," + QByteArray(20000, 'x'),
                               Outcome::RecordTooLong, 3, 1},
                    ReaderCase{"AQuoteLeftOpenOverManyLines",
                               kHeader.toUtf8() + "item,\"" + QByteArray(3000, '\n'), Outcome::Read, 2, 0},
                    ReaderCase{"AQuoteLeftOpenTooLong",
                               kHeader.toUtf8() + "item,\"" + QByteArray(20000, '\n'), Outcome::RecordTooLong, 2, 0},
                    ReaderCase{"Latin1", kHeader.toUtf8() + "item,caf\xe9,1,24,0,,x,1,,\r\n", Outcome::NotUtf8, 2, 0},
                    ReaderCase{"ACharacterCutShortAtTheEnd", kHeader.toUtf8() + kRow + "\xe8\x87", Outcome::NotUtf8, 3, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuleFile, JsonHoldsTheSameColumns)
{
    const QJsonObject json = RuleFile::JsonOf(Rule(false, "01.01.001", {Custom(1, "LOT")}));
    EXPECT_EQ(json["Owner"].toString(), "item");
    EXPECT_EQ(json["Number"].toString(), "01.01.001");
    const QJsonObject element = json["Elements"].toArray().first().toObject();
    EXPECT_EQ(element["FSelDefine"].toString(), "LOT");
    EXPECT_EQ(element["FWidth"].toInt(), 3);
    QStringList keys = element.keys();
    keys.sort();
    QStringList columns = RuleFile::Columns().mid(2);
    columns.sort();
    EXPECT_EQ(keys, columns);
}

class StoredRulesRead : public RuleFixture {};

TEST_F(StoredRulesRead, VisitsTheRootTheGroupsThenTheMaterialsEachWhole)
{
    db.Connection().Execute("INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FWidth,FDetail) VALUES (1,0,25,0,0)");
    QStringList seen;
    ASSERT_TRUE(StoredRules::Read([&](const StoredRule& rule) {
        QStringList properties;
        for (const BatRuleStruct& e : rule.elements)
            properties << QString::number(e.FPropertyID);
        seen << QString("%1:%2:%3:%4").arg(rule.group ? "g" : "i", rule.number, rule.name, properties.join(","));
    }));
    EXPECT_EQ(seen, (QStringList{"g::物料:25", "g:03.02:食品饮料:4,23,26", "i:01.01.001:冷轧钢板 1.0mm:8,24,23,26",
                                 "i:03.01.001:智能手机 X1:20,25", "i:03.02.001:天然矿泉水 550ml:23,26",
                                 "i:03.02.002:绿茶饮料 500ml:4,23,26", "i:03.02.003:乌龙茶饮料 500ml:4,23,26"}));
}

TEST_F(StoredRulesRead, ElementsKeepTheirStoredTexts)
{
    QList<BatRuleStruct> elements;
    StoredRules::Read([&](const StoredRule& rule) {
        if (rule.number == "01.01.001")
            elements = rule.elements;
    });
    ASSERT_EQ(elements.size(), 4);
    EXPECT_EQ(elements[0].FCharacter, "0") << "plain, not the literal '0'";
    EXPECT_EQ(elements[0].FSubCharacter, "Z");
    EXPECT_EQ(elements[2].FFormatDate, "yymm");
    EXPECT_EQ(elements[3].FSelDefine, "1");
    EXPECT_EQ(elements[3].FItemID, 101);
}

TEST_F(StoredRulesRead, ElementsComeInLevelOrderWhateverOrderTheRowsArriveIn)
{
    // Without the owner index the rows arrive as they were written.
    db.Connection().Execute("DROP INDEX ix_BatchNoRule_Owner");
    db.Connection().Execute("DELETE FROM ICBatchNoRule WHERE FItemID = 101");
    db.Connection().Execute("INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FWidth,FDetail) VALUES "
                            "(3,101,26,4,1),(1,101,24,2,1),(2,101,23,6,1)");
    QStringList levels;
    StoredRules::Read([&](const StoredRule& rule) {
        if (rule.number == "01.01.001")
            for (const BatRuleStruct& e : rule.elements)
                levels << QString("%1:%2").arg(e.FID).arg(e.FPropertyID);
    });
    EXPECT_EQ(levels, (QStringList{"1:24", "2:23", "3:26"}));
}

TEST_F(StoredRulesRead, AFailedQueryEndsTheReading)
{
    connection->failWith = "lost";
    connection->failOn = "t_ICItem u1";
    int visited = 0;
    EXPECT_FALSE(StoredRules::Read([&](const StoredRule&) { ++visited; }));
    EXPECT_EQ(visited, 1) << "the group rule came before the failure";
    EXPECT_EQ(Messages(), QStringList{"FetchStoredRules::\r\nlost"});
}

}
