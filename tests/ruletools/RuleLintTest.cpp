#include "RuleFixture.h"
#include "RuleLint.h"
#include "TestSupport.h"

namespace {

using RuleLint::Severity;

BatRuleStruct E(qint32 property, qint32 width, const QString& format = QString(), const QString& pad = QString(),
                qint32 shortNumber = 0)
{
    BatRuleStruct e;
    e.FPropertyID = property;
    e.FWidth = width;
    e.FUseShortNumber = shortNumber;
    (property == 23 || property == 25 ? e.FFormatDate : e.FSelDefine) = format;
    e.FCharacter = pad;
    return e;
}

class Lint : public RuleFixture {
protected:
    using RuleFixture::RuleFixture;

    // "severity:text" of every finding.
    static QStringList Of(const QList<BatRuleStruct>& rule, const QString& materialNumber = QString())
    {
        QStringList findings;
        for (const RuleLint::Finding& finding : RuleLint::Check(rule, materialNumber))
            findings << RuleLint::SeverityText(finding.severity) + ":" + finding.text;
        return findings;
    }
};

TEST_F(Lint, ASoundRuleGetsOnlyItsSerialCapacitySaidWithThePeriod)
{
    EXPECT_EQ(Of({E(23, 6, "yymmdd"), E(26, 4, "1")}), QStringList{"提示:第2级的流水号长4位，每天最多9999个批次"});
    EXPECT_EQ(Of({E(23, 4, "yymm"), E(26, 3, "1")}), QStringList{"提示:第2级的流水号长3位，每月最多999个批次"});
    EXPECT_EQ(Of({E(20, 8, {}, "0"), E(26, 2, "0")}),
              QStringList{"提示:第2级的流水号长2位，规则中没有日期，总共最多100个批次"}) << "from 0: 00 to 99";
    EXPECT_EQ(Of({E(23, 4, "yymm"), E(23, 8, "yyyymmdd"), E(26, 5, "1")}).last(),
              "提示:第3级的流水号长5位，每天最多99999个批次")
        << "the finest date sets the period";
    EXPECT_TRUE(Of({E(23, 6, "yymmdd"), E(26, 30, "1")}).isEmpty()) << "no count worth saying";
    EXPECT_TRUE(Of({}).isEmpty());
}

TEST_F(Lint, TheDateFormatsLettersInEitherCaseSetThePeriod)
{
    const struct {
        const char* format;
        const char* period;
    } cases[] = {{"YYMMDD", "每天"}, {"yyyyMM", "每月"}, {"yyyy", "每年"}, {"Dd.mM", "每天"}, {"yymd", "每年"}};
    for (const auto& c : cases)
        EXPECT_TRUE(Of({E(23, 6, c.format), E(26, 2, "1")}).value(0).contains(QString::fromUtf8(c.period))) << c.format;
}

// One linter checks rule after rule: a note made for one serial start is not handed to another.
TEST_F(Lint, ALinterKeepsEachSerialStartsOwnCapacity)
{
    RuleLint::Linter linter;
    QStringList notes;
    for (const char* start : {"1", "5000", "1", "0001"})
        notes << linter.Check({E(23, 6, "yymmdd"), E(26, 4, start)}).value(0).text;
    EXPECT_EQ(notes, (QStringList{"第2级的流水号长4位，每天最多9999个批次", "第2级的流水号长4位，每天最多5000个批次",
                                  "第2级的流水号长4位，每天最多9999个批次", "第2级的流水号长4位，每天最多9999个批次"}));
}

TEST_F(Lint, NeitherDateNorSerialWarnsOfRepeatedNumbers)
{
    EXPECT_EQ(Of({E(20, 10, {}, "0"), E(25, 2, "00")}),
              QStringList{"警告:规则中既没有日期也没有流水号，同一张单据的各批次会得到相同的批号"});
    EXPECT_TRUE(Of({E(23, 6, "yymmdd"), E(25, 2, "00")}).isEmpty());
}

TEST_F(Lint, TheMaterialsCodeLongerThanItsLevelWarns)
{
    const QList<BatRuleStruct> longCode{E(4, 6, {}, "0"), E(23, 6, "yymmdd")};
    EXPECT_EQ(Of(longCode, "03.02.001"),
              QStringList{"警告:第1级的物料代码03.02.001有9个字符，长于该级的长度6，批号中只留前6个"});
    EXPECT_TRUE(Of(longCode, "03.001").isEmpty());
    EXPECT_TRUE(Of({E(4, 6, {}, "0", 1), E(23, 6, "yymmdd")}, "03.02.001").isEmpty()) << "its short code 001 fits";
    EXPECT_TRUE(Of(longCode).isEmpty()) << "a group rule has no one code";
}

TEST_F(Lint, WhatTheChecksWouldRefuseTodayIsAnError)
{
    EXPECT_EQ(Of({E(26, 4, "1"), E(23, 6, "yymmdd"), E(26, 4, "1")}).mid(0, 1),
              QStringList{"错误:流水号只能设置一次，请重新设置"});
    EXPECT_EQ(Of({E(20, 150, {}, "0"), E(21, 51, {}, "0"), E(23, 6, "yymmdd")}),
              QStringList{"错误:批次设置长度超过200，请重新设置"});
    EXPECT_EQ(Of({E(23, 6, "yymmdd"), E(26, 3, "1000")}).first(), "错误:流水号的长度不能小于格式字符的总长度:4，请重新设置");
    EXPECT_EQ(Of({E(23, 6, "yymmdd"), E(1, 0), E(24, 0, "")}),
              (QStringList{"错误:系统检测到[级次=2]的编码属性的长度未设置，请重新设置！",
                           "错误:系统检测到[级次=2]的编码属性的补位符未设置，请重新设置！",
                           "错误:系统检测到[级次=3]的编码属性的格式未设置，请重新设置！"}));
    EXPECT_EQ(Of({E(23, 6, "yymmdd"), E(24, 3, "a\tb")}),
              QStringList{"错误:第2级的“a␉b”含有换行、制表符等控制字符，批号中不能使用，请重新设置"});
    QList<BatRuleStruct> nine(9, E(25, 2, "00"));
    nine[0] = E(23, 6, "yymmdd");
    EXPECT_EQ(Of(nine), QStringList{"错误:编码级次必须是1到8级"});
}

TEST_F(Lint, APropertyOutsideTheCatalogueIsAnError)
{
    EXPECT_EQ(Of({E(23, 6, "yymmdd"), E(99, 3, {}, "0")}), QStringList{"错误:第2级的属性99不在属性目录中，单据无法提供它"});
    EXPECT_TRUE(Of({E(23, 6, "yymmdd"), E(22, 3, {}, "0")}).isEmpty()) << "项目号 is never offered, yet known";
}

class LintIn : public Lint {
protected:
    LintIn() : Lint("UserID=16394;LANGUAGE=en") {}
};

TEST_F(LintIn, FindingsSpeakTheSessionsLanguage)
{
    EXPECT_EQ(RuleLint::SeverityText(Severity::Warning), "Warning");
    EXPECT_EQ(RuleLint::Check({E(23, 8, "yyyymmdd"), E(26, 4, "1")}).first().text,
              "Level 2: a serial number of 4 digits allows at most 9999 batches a day");
}

}
