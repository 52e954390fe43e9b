#include "BatchNumberComposer.h"
#include "TestSupport.h"

namespace {

BatRuleStruct E(qint32 fid, qint32 property, qint32 width, const QString& format = QString(), const QString& pad = QString(),
                const QString& substitute = QString(), qint32 shortNumber = 0)
{
    BatRuleStruct e;
    e.FID = fid;
    e.FPropertyID = property;
    e.FWidth = width;
    e.FUseShortNumber = shortNumber;
    // The format column the kind uses.
    (property == 23 || property == 25 ? e.FFormatDate : e.FSelDefine) = format;
    e.FCharacter = pad;
    e.FSubCharacter = substitute;
    return e;
}

BatchDocument Document(QHash<qint32, QString> values = {}, int line = 1)
{
    return {QDate(2026, 12, 7), line, std::move(values)};
}

QString One(const BatRuleStruct& e, const BatchDocument& document = Document())
{
    return BatchNumberComposer::ElementText(e, document);
}

TEST(BatchNumberComposer, WritesEveryDateFormat)
{
    const std::pair<const char*, const char*> formats[] = {
        {"yyyy/mm/dd", "2026/03/07"}, {"mm/dd/yy", "03/07/26"}, {"yy/mm/dd", "26/03/07"}, {"yyyy-mm-dd", "2026-03-07"},
        {"mm-dd-yy", "03-07-26"},     {"yy-mm-dd", "26-03-07"}, {"yyyymmdd", "20260307"}, {"mmddyy", "030726"},
        {"yymmdd", "260307"},         {"yyyy/mm", "2026/03"},   {"yy/mm", "26/03"},       {"yyyy-mm", "2026-03"},
        {"yy-mm", "26-03"},           {"yyyymm", "202603"},     {"yymm", "2603"}};
    for (const auto& [format, text] : formats) {
        const QString f = QString::fromUtf8(format);
        EXPECT_EQ(BatchNumberComposer::DateText(QDate(2026, 3, 7), f), text) << format;
        EXPECT_EQ(One(E(1, 23, int(f.size()), f), {QDate(2026, 3, 7), 1, {}}), text) << "fits its own length: " << format;
    }
    EXPECT_EQ(BatchNumberComposer::DateText(QDate(2005, 11, 30), "yymmdd"), "051130");
}

TEST(BatchNumberComposer, BaseDataCodesAreLongOrShort)
{
    const BatchDocument document = Document({{1, "01.02.1001"}, {5, "CK9"}});
    EXPECT_EQ(One(E(1, 1, 10, {}, "0"), document), "01.02.1001");
    EXPECT_EQ(One(E(1, 1, 4, {}, "0", {}, 1), document), "1001");
    EXPECT_EQ(One(E(1, 5, 3, {}, "0", {}, 1), document), "CK9") << "a code without a full stop is its own short code";
    EXPECT_EQ(BatchNumberComposer::ShortCode("01."), "");
}

TEST(BatchNumberComposer, TextsArePaddedAndCutOnTheRight)
{
    const BatchDocument document = Document({{1, "KH.C12"}, {20, "RK000123"}});
    EXPECT_EQ(One(E(1, 1, 5, {}, "0", {}, 1), document), "C1200");
    EXPECT_EQ(One(E(1, 20, 4, {}, "0"), document), "RK00") << "too long: the first characters stay";
    EXPECT_EQ(One(E(1, 20, 10, {}, "*"), document), "RK000123**");
    EXPECT_EQ(One(E(1, 24, 5, "LOT"), document), "LOT") << "no pad character: a text stays short";
    EXPECT_EQ(One(E(1, 24, 2, "LOT"), document), "LO");
    EXPECT_EQ(One(E(1, 20, 0, {}, "0"), document), "RK000123") << "length 0 takes the value whole";
    const BatchDocument twoUnits = Document({{20, "RK\U00020000"}});   // a character beyond the BMP: two UTF-16 units
    EXPECT_EQ(One(E(1, 20, 3, {}, "0"), twoUnits), "RK0") << "half a character is none: it goes, the pad fills its place";
    EXPECT_EQ(One(E(1, 20, 3), twoUnits), "RK");
    EXPECT_EQ(One(E(1, 20, 4, {}, "\U00020000"), Document({{20, "RK"}})), "RK") << "nor is it a pad character of one unit";
}

TEST(BatchNumberComposer, NumbersArePaddedAndCutOnTheLeft)
{
    EXPECT_EQ(One(E(1, 26, 4, "1")), "0001") << "zeros when no pad character is set";
    EXPECT_EQ(One(E(1, 26, 4, "1", "9")), "9991");
    EXPECT_EQ(One(E(1, 26, 6, "250")), "000250") << "the serial starts at its start value";
    EXPECT_EQ(One(E(1, 26, 2, "12345")), "45") << "too long: the last digits stay";
    EXPECT_EQ(One(E(1, 26, 4, "77777777777777777777")), "5807") << "a start beyond 64 bits counts from the largest";
    EXPECT_EQ(BatchNumberComposer::SerialStart("-5"), 0);
    EXPECT_EQ(One(E(1, 25, 3, "000"), Document({}, 7)), "007");
    EXPECT_EQ(One(E(1, 25, 2, "00"), Document({}, 123)), "23");
    EXPECT_EQ(One(E(1, 25, 0, ""), Document({}, 12)), "12") << "an empty line format writes the number as it is";
}

TEST(BatchNumberComposer, MissingValuesTakeTheSubstituteOverTheLengthOrNothing)
{
    const BatchDocument none = Document({{21, ""}});
    EXPECT_EQ(One(E(1, 1, 5, {}, "0", "X", 1), none), "XXXXX");
    EXPECT_EQ(One(E(1, 21, 3, {}, "0", "-"), none), "---") << "an empty value is a missing one";
    EXPECT_EQ(One(E(1, 1, 5, {}, "0"), none), "");
    EXPECT_EQ(One(E(1, 8, 0, {}, "0", "Z"), none), "Z");
    EXPECT_EQ(One(E(1, 99, 4, {}, "0", "?"), none), "????") << "an unknown property is one the document lacks";
}

TEST(BatchNumberComposer, JoinsTheElementsInLevelOrder)
{
    const QList<BatRuleStruct> rule{E(3, 26, 3, "1"), E(1, 24, 3, "LOT"), E(2, 23, 6, "yyyymm")};
    EXPECT_EQ(BatchNumberComposer::Compose(rule, Document()), "LOT202612001");
    EXPECT_EQ(BatchNumberComposer::Compose({}, Document()), "");
}

TEST(BatchNumberComposer, LeavesOutWhatNoBatchNumberCanCarry)
{
    const BatchDocument document = Document({{20, "R'K\"1\t2\n"}});
    EXPECT_EQ(One(E(1, 20, 6, {}, "0"), document), "RK1200");
    EXPECT_EQ(One(E(1, 24, 4, "a'b\x7f" "c")), "abc");
    EXPECT_EQ(One(E(1, 1, 3, {}, "0", "'"), Document()), "") << "a quote is no substitute";
    EXPECT_EQ(One(E(1, 20, 4, {}, "'"), Document({{20, "R"}})), "R") << "nor a pad character";
}

TEST(BatchNumberComposer, SampleDocumentIsTodayLineOneAndTheMaterialsCode)
{
    const BatchDocument sample = BatchNumberComposer::SampleDocument("03.02.001");
    EXPECT_EQ(sample.date, QDate::currentDate());
    EXPECT_EQ(sample.line, 1);
    EXPECT_EQ(sample.values.value(4), "03.02.001");
    for (const qint32 property : {1, 2, 3, 5, 8, 20, 21, 22})
        EXPECT_FALSE(sample.values.value(property).isEmpty()) << property;
    EXPECT_FALSE(BatchNumberComposer::SampleDocument().values.value(4).isEmpty());
}

}
