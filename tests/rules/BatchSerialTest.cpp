#include "BatchSerial.h"
#include "TestSupport.h"

namespace {

BatRuleStruct E(qint32 fid, qint32 property, qint32 width, const QString& format = QString(), const QString& pad = QString())
{
    BatRuleStruct e;
    e.FID = fid;
    e.FPropertyID = property;
    e.FWidth = width;
    (property == 23 ? e.FFormatDate : e.FSelDefine) = format;
    e.FCharacter = pad;
    return e;
}

BatchSerial Serial(const QList<BatRuleStruct>& rule, QDate date, const QString& supplier = "S01")
{
    return BatchSerial(rule, BatchDocument{date, 1, {{8, supplier}}});
}

const QList<BatRuleStruct> kSupplierDateSerial{E(3, 26, 4, "0001"), E(1, 8, 3), E(2, 23, 6, "yymmdd")};

TEST(BatchSerial, TheRestIsTheNumberWithTheSerialsPlaceMarked)
{
    const BatchSerial serial = Serial(kSupplierDateSerial, QDate(2026, 5, 12));
    EXPECT_EQ(serial.Rest(), "S01260512\"");
    EXPECT_EQ(serial.Number(7), "S012605120007");
    EXPECT_EQ(serial.Start(), 1);
    EXPECT_EQ(serial.Limit(), 9999);
}

TEST(BatchSerial, AnotherDayOrSupplierIsAnotherRestTheSameDocumentTheSame)
{
    const BatchSerial first = Serial(kSupplierDateSerial, QDate(2026, 5, 12));
    EXPECT_EQ(Serial(kSupplierDateSerial, QDate(2026, 5, 12)).Rest(), first.Rest());
    EXPECT_NE(Serial(kSupplierDateSerial, QDate(2026, 5, 13)).Rest(), first.Rest());
    EXPECT_NE(Serial(kSupplierDateSerial, QDate(2026, 5, 12), "S02").Rest(), first.Rest());
}

// "A"+serial+"B" and "AB"+serial share no rest, though both rests hold A and B.
TEST(BatchSerial, TheSerialsPlaceKeepsTextsOnEitherSideApart)
{
    const BatchSerial before = Serial({E(1, 24, 1, "A"), E(2, 26, 2, "1"), E(3, 24, 1, "B")}, QDate(2026, 5, 12));
    const BatchSerial after = Serial({E(1, 24, 2, "AB"), E(2, 26, 2, "1")}, QDate(2026, 5, 12));
    EXPECT_NE(before.Rest(), after.Rest());
}

TEST(BatchSerial, LimitsFollowTheLengthAndPad)
{
    struct Case {
        QList<BatRuleStruct> rule;
        qint64 start, limit;
        qint64 value;
        const char* number;
    };
    const Case cases[] = {
        {{E(1, 26, 2, "1")}, 1, 99, 99, "99"},
        {{E(1, 26, 3, "0", "X")}, 0, 999, 7, "XX7"},
        {{E(1, 26, 0, "100")}, 100, -1, 123456, "123456"},
        {{E(1, 23, 4, "yymm")}, 0, -1, 5, "2605"},
    };
    for (const Case& c : cases) {
        const BatchSerial serial = Serial(c.rule, QDate(2026, 5, 12));
        EXPECT_EQ(serial.Start(), c.start) << c.number;
        EXPECT_EQ(serial.Limit(), c.limit) << c.number;
        EXPECT_EQ(serial.Number(c.value), c.number);
    }
    EXPECT_FALSE(Serial({E(1, 23, 4, "yymm")}, QDate(2026, 5, 12)).Exists());
}

TEST(BatchSerial, TheFirstNumberIsThePreviewsNumber)
{
    const BatchDocument document{QDate(2026, 5, 12), 3, {{8, "S01"}}};
    const BatchSerial serial(kSupplierDateSerial, document);
    EXPECT_EQ(serial.Number(serial.Start()), BatchNumberComposer::Compose(kSupplierDateSerial, document));
}

}
