// Issuing batch numbers from a material's stored rule, on a temporary demo database.
#include "BatchNumberIssuer.h"
#include "Fakes.h"
#include "HostErrors.h"
#include "HostText.h"
#include "RuleAdmin.h"
#include "TempDatabase.h"
#include "TestSupport.h"

namespace {

using Document = BatchNumberIssuer::Document;

Document On(QDate date, QList<std::pair<QString, QString>> values = {})
{
    return {date, std::nullopt, std::move(values)};
}

const QDate kDay(2026, 5, 12);

class Issuer : public testing::Test {
protected:
    void SetUp() override { Register("UserID=16394;LANGUAGE=chs"); }
    void Register(const QString& props)
    {
        ResetModuleState();
        db.RegisterAsHost(props);
    }

    // The numbers, or none with the failure kept for Shown().
    QStringList Issue(qint32 item, const Document& document, int count = 1)
    {
        const auto issuer = Open(item);
        if (!issuer)
            return {};
        const auto issued = (*issuer)->Issue(document, count);
        return Kept(issued) ? issued->numbers : QStringList{};
    }
    Result<std::unique_ptr<BatchNumberIssuer>> Open(qint32 item)
    {
        auto issuer = BatchNumberIssuer::Open(item);
        Kept(issuer);
        return issuer;
    }
    template <typename T>
    bool Kept(const Result<T>& result)
    {
        if (!result)
            failure = result.failure();
        return bool(result);
    }
    // Material 102: custom "A", then a serial from 1 at length 2.
    void TwoDigitSerial()
    {
        db.Connection().Execute(
            "INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FSelDefine,FWidth,FDetail) VALUES (1,102,24,'A',1,1) "
            "INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FSelDefine,FWidth,FDetail) VALUES (2,102,26,'1',2,1)");
    }
    // The reason of the last refusal, which no box showed.
    QString Shown() const { return RecordingMessageBox::shown.isEmpty() ? failure.text : "a box: " + RecordingMessageBox::shown.last().text; }
    QString Counters() { return db.Rows("SELECT FItemID, FRest, FNext FROM ICBatchNoSerial ORDER BY FItemID, FRest"); }

    TempDatabase db;
    Failure failure;
};

TEST_F(Issuer, SerialsRunOnPerDayAndStartAgainOnANewDay)
{
    EXPECT_EQ(Issue(311, On(kDay), 2), (QStringList{"202605120001", "202605120002"}));
    EXPECT_EQ(Issue(311, On(kDay.addDays(1))), QStringList{"202605130001"});
    EXPECT_EQ(Issue(311, On(kDay)), QStringList{"202605120003"});
    EXPECT_EQ(Counters(), "311|20260512\"|4\n311|20260513\"|2");
    EXPECT_TRUE(RecordingMessageBox::shown.isEmpty());
}

TEST_F(Issuer, AnotherSupplierCodeStartsItsOwnSerial)
{
    EXPECT_EQ(Issue(101, On(kDay, {{"8", "S01"}}), 2), (QStringList{"S01000-2605001", "S01000-2605002"}));
    EXPECT_EQ(Issue(101, On(kDay, {{"供应商代码", "S02"}})), QStringList{"S02000-2605001"});
    EXPECT_EQ(Issue(101, On(kDay.addDays(1), {{"8", "S01"}})), QStringList{"S01000-2605003"}) << "yymm counts per month";
}

TEST_F(Issuer, PeekShowsTheNextNumberAndTakesNothingAsThePreviewComposesIt)
{
    const Document document = On(kDay, {{"8", "S01"}});
    const auto preview = RuleAdmin::PreviewRule({101, std::nullopt}, document);
    const auto issuer = BatchNumberIssuer::Open(101);
    ASSERT_TRUE(issuer && preview);
    EXPECT_EQ((*issuer)->Peek(document), preview);
    EXPECT_EQ((*issuer)->Peek(document), preview);
    EXPECT_EQ((*issuer)->Issue(document)->numbers, QStringList{*preview});
    EXPECT_EQ((*issuer)->Peek(document), "S01000-2605002");
    EXPECT_EQ(RuleAdmin::PreviewRule({101, std::nullopt}, document), preview) << "the preview takes nothing";
}

TEST_F(Issuer, AnOverflowIssuesNothingAndNamesTheMaterialAndTheRest)
{
    TwoDigitSerial();
    EXPECT_EQ(Issue(102, On(kDay), 98).last(), "A98");
    EXPECT_EQ(Issue(102, On(kDay), 2), QStringList{});
    EXPECT_EQ(Shown(), "物料01.01.002(热轧卷板 Q235)在批号“A[流水号]”下的流水号最大为99，已不够再发放2个批号；没有发放任何批号");
    EXPECT_EQ(Issue(102, On(kDay)), QStringList{"A99"}) << "the refused unit gave its values back";
    EXPECT_EQ(Issue(102, On(kDay)), QStringList{});
    const auto issuer = BatchNumberIssuer::Open(102);
    EXPECT_FALSE((*issuer)->Peek(On(kDay)));
    EXPECT_EQ(Counters(), "102|A\"|100") << "never wrapped, never moved back";
}

TEST_F(Issuer, RefusesWhatItCannotIssueInTheSessionsLanguage)
{
    struct Case {
        const char* props;
        qint32 item;
        const char* shown;
    };
    const Case cases[] = {
        {"UserID=16394;LANGUAGE=chs", 102, "01.01.002(热轧卷板 Q235)没有批号规则"},
        {"UserID=16395;LANGUAGE=chs", 301, "找不到物料301"},
        {"UserID=16394;LANGUAGE=en", 999, "Material 999 was not found"},
    };
    for (const Case& c : cases) {
        Register(c.props);
        EXPECT_FALSE(Open(c.item)) << c.item;
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(failure.number, HostErrors::Refused);
    }
    EXPECT_EQ(Counters(), "");
}

TEST_F(Issuer, AMissingCounterTableIsRefusedAndNotMade)
{
    db.Connection().Execute("DROP TABLE ICBatchNoSerial");
    EXPECT_EQ(Issue(311, On(kDay)), QStringList{});
    EXPECT_EQ(Shown(), "数据库中没有批号流水号表ICBatchNoSerial，请先运行“vell-batchrule batch init”建立");
    EXPECT_EQ(db.NativeRows("SELECT COUNT(*) FROM sqlite_master WHERE name = 'ICBatchNoSerial'"), "0");
    EXPECT_EQ(BatchNumberIssuer::CreateCounterTable(), true);
    EXPECT_EQ(BatchNumberIssuer::CreateCounterTable(), false);
    EXPECT_EQ(Issue(311, On(kDay)), QStringList{"202605120001"});
}

TEST_F(Issuer, ARuleWithoutASerialIssuesItsNumberAndSaysOnceThatItRepeats)
{
    const auto issuer = BatchNumberIssuer::Open(301);
    const auto issued = (*issuer)->Issue({kDay, 7, {{"20", "RK0009"}}}, 3);
    ASSERT_TRUE(issued);
    EXPECT_EQ(issued->numbers, QStringList(3, "RK00090000" "07"));
    EXPECT_EQ(issued->note, "03.01.001(智能手机 X1)的批号规则中没有流水号，发放的批号都相同");
    EXPECT_EQ(Counters(), "");
}

// Whatever composed a number before (another rule, other element values),
// the material never gets it again: each case issues step by step, and the
// last step's numbers are those its serial gives past the ones taken.
struct Element {
    int property;
    const char* format;
    const char* define;
    int width;
    const char* pad;
    const char* substitute;
};
struct Step {
    std::vector<Element> rule;   // empty: the rule stays
    QList<std::pair<QString, QString>> values;
    int count;
};
struct Repeats {
    const char* name;
    std::vector<Step> steps;
    QStringList last;
};

class NeverTwice : public Issuer, public testing::WithParamInterface<Repeats> {
protected:
    void Store(const std::vector<Element>& rule)
    {
        db.Connection().Execute("DELETE FROM ICBatchNoRule WHERE FItemID = 102 AND FDetail = 1");
        int level = 0;
        for (const Element& e : rule)
            db.Connection().Execute(
                QString("INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FFormatDate,FSelDefine,FWidth,FCharacter,"
                        "FSubCharacter,FDetail) VALUES (%1,102,%2,%3,%4,%5,%6,%7,1)")
                    .arg(++level)
                    .arg(e.property)
                    .arg(HostText::SqlLiteral(e.format), HostText::SqlLiteral(e.define))
                    .arg(e.width)
                    .arg(HostText::SqlLiteral(e.pad), HostText::SqlLiteral(e.substitute)));
    }
};

const std::vector<Element> kCodeSerialDocument = {{8, "", "", 2, "0", ""}, {26, "", "1", 2, "", ""}, {20, "", "", 2, "0", ""}};
const std::vector<Element> kQuotePads = {{8, "", "", 2, "'", ""}, {26, "", "1", 2, "", ""}, {20, "", "", 2, "\"", ""}};

TEST_P(NeverTwice, WhateverComposedANumberBeforeItIsPassedOver)
{
    QStringList all, numbers;
    for (const Step& step : GetParam().steps) {
        if (!step.rule.empty())
            Store(step.rule);
        numbers = Issue(102, On(kDay, step.values), step.count);
        EXPECT_EQ(numbers.size(), step.count) << Shown().toStdString();
        all += numbers;
    }
    EXPECT_EQ(numbers.mid(numbers.size() - GetParam().last.size()), GetParam().last);
    EXPECT_EQ(QSet<QString>(all.begin(), all.end()).size(), all.size()) << all.join(' ').toStdString();
    all.sort();
    EXPECT_EQ(db.Rows("SELECT FBatchNo FROM ICBatchNoIssued WHERE FItemID = 102 ORDER BY FBatchNo").split('\n'), all)
        << "every number issued is on record";
}

INSTANTIATE_TEST_SUITE_P(
    Issuer, NeverTwice,
    testing::Values(
        Repeats{"EmptySubstitutesLetTwoRestsComposeOneText",
                {{kCodeSerialDocument, {{"8", ""}, {"20", "34"}}, 1}, {{}, {{"8", "01"}, {"20", ""}}, 34}},
                {"0133", "0135"}},
        Repeats{"QuotePadsPadNothing",
                {{kQuotePads, {{"8", ""}, {"20", "34"}}, 1}, {{}, {{"8", "01"}, {"20", ""}}, 34}},
                {"0133", "0135"}},
        Repeats{"ARuleChangedUnderTheSameNumbers",
                {{{{23, "yymmdd", "", 6, "", ""}, {26, "", "1", 4, "", ""}}, {}, 3},
                 {{{23, "yymmdd", "", 6, "", ""}, {24, "", "00", 2, "", ""}, {26, "", "1", 2, "", ""}}, {}, 2}},
                {"2605120004", "2605120005"}},
        Repeats{"ASerialPaddedWithADigitRepeatsItself",
                {{{{24, "", "A", 1, "", ""}, {26, "", "1", 2, "1", ""}}, {}, 12}}, {"A10", "A20", "A21"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Issuer, ACountOutsideItsRangeIsRefused)
{
    const auto issuer = BatchNumberIssuer::Open(311);
    EXPECT_FALSE(Kept((*issuer)->Issue(On(kDay), 0)));
    EXPECT_FALSE(Kept((*issuer)->Issue(On(kDay), BatchNumberIssuer::MaxCount + 1)));
    EXPECT_EQ(Shown(), "一次可发放1到100000个批号，不能是100001个");
}

}
