#include "SpreadBatches.h"

namespace SpreadBatches {

namespace {

struct Element {
    int property, shortNumber;
    const char* format;
    const char* define;
    int width;
    const char* pad;
    const char* substitute;
};

const Element kRule[8] = {{4, 0, "", "", 12, "0", "X"}, {23, 0, "yymmdd", "", 6, "", ""}, {20, 0, "", "", 10, "0", ""},
                          {24, 0, "", "-", 1, "", ""},  {25, 0, "000", "", 3, "", ""},    {1, 1, "", "", 6, "0", "N"},
                          {5, 0, "", "", 4, "0", ""},   {26, 0, "", "1", 5, "", ""}};

QString ElementValues(int fid, const Element& e)
{
    return QStringLiteral("%1, FItemID,%2,%3,'%4','%5',%6,'%7','%8'")
        .arg(fid)
        .arg(e.property)
        .arg(e.shortNumber)
        .arg(QString::fromUtf8(e.format), QString::fromUtf8(e.define))
        .arg(e.width)
        .arg(QString::fromUtf8(e.pad), QString::fromUtf8(e.substitute));
}

}

QString AsSent()
{
    const QString head = QStringLiteral(" Insert into ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,"
                                        "FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter)\r\n");
    QString batch = QStringLiteral(" Delete t1\r\n From ICBatchNoRule t1,t_ICItem t2\r\n"
                                   " Where   t1.FItemID=t2.FItemID and\r\n         t2.FBatchManager = 1\r\n"
                                   " Select Distinct FItemID into #tmp From ICBatchNoRule\r\n");
    for (int i = 0; i < 8; ++i)
        batch += head + QStringLiteral(" Select ") + ElementValues(i + 1, kRule[i])
                 + QStringLiteral("\r\n From t_ICItem\r\n Where FBatchManager = 1\r\n\r\n");
    return batch + QStringLiteral(" Drop table #tmp\r\n");
}

std::string Native()
{
    QString sql = QStringLiteral("BEGIN IMMEDIATE;"
                                 "DELETE FROM ICBatchNoRule WHERE FItemID IN (SELECT FItemID FROM t_ICItem WHERE FBatchManager = 1);"
                                 "CREATE TEMP TABLE tmp AS SELECT DISTINCT FItemID FROM ICBatchNoRule;");
    for (int i = 0; i < 8; ++i)
        sql += QStringLiteral("INSERT INTO ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,"
                              "FWidth,FCharacter,FSubCharacter) SELECT ")
               + ElementValues(i + 1, kRule[i]) + QStringLiteral(" FROM t_ICItem WHERE FBatchManager = 1;");
    sql += QStringLiteral("DROP TABLE tmp;COMMIT;");
    return sql.toStdString();
}

}
