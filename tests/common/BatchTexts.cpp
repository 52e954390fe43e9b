#include "BatchTexts.h"

namespace BatchTexts {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kItemHead = QStringLiteral(
    " Insert into ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
    "FSubCharacter)\r\n");
const QString kGroupHead = QStringLiteral(
    " Insert into ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
    "FSubCharacter,FDetail)\r\n");

QString Quoted(const QString& text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString Values(const Element& e, const QString& owner)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9")
        .arg(QString::number(e.fid), owner, QString::number(e.property), QString::number(e.shortNumber),
             Quoted(e.format), Quoted(e.define), QString::number(e.width), Quoted(e.pad), Quoted(e.substitute));
}

QString Lines(const QStringList& lines)
{
    return lines.join(kCrLf) + kCrLf;
}

}

QString FetchParentItem(const QString& from, const QString& where)
{
    return Lines({" SELECT u1.FItemID,u1.FName,u1.FNumber,u1.FParentID,u1.FDetail",
                  " From t_Item u1 " + (from.isEmpty() ? QString() : "," + from),
                  " Where u1.FItemClassID = 4 And FDetail = 0" + (where.isEmpty() ? QString() : " and " + where),
                  " ORDER BY u1.FNumber"});
}

QString FetchItemDetail(int parentId, const QString& from, const QString& where)
{
    return Lines({" SELECT u1.FItemID,u1.FNumber,u1.FName,'' as FRule",
                  " From t_ICItem u1" + (from.isEmpty() ? QString() : "," + from),
                  " Where u1.FBatchManager = 1 And u1.FParentID=" + QString::number(parentId)
                      + (where.isEmpty() ? QString() : " and " + where),
                  " ORDER BY u1.FNumber"});
}

QString FetchBatchRule(int itemId, int detail)
{
    return Lines({" SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter",
                  " From ICBatchNoRule", " Where FItemID=" + QString::number(itemId) + " and ",
                  "       FDetail=" + QString::number(detail), " ORDER BY FItemID,FID"});
}

QString ItemSave(int itemId, const QList<Element>& elements)
{
    QString batch = Lines({" Delete from ICBatchNoRule ", " Where FItemID=" + QString::number(itemId)});
    for (const Element& e : elements)
        batch += kItemHead + " Values(" + Values(e, QString::number(itemId)) + ")" + kCrLf;
    return batch;
}

QString GroupSpread(const QString& g, bool itemIsTop, const QList<Element>& elements)
{
    const QString numberLine = "    and FNumber like '" + g + ".%'" + kCrLf;
    QString batch;
    if (!itemIsTop) {
        batch = Lines({" Delete t1", " From ICBatchNoRule t1,t_ICItem t2", " Where   t1.FItemID=t2.FItemID and",
                       "         t2.FBatchManager = 1"});
        if (!g.isEmpty())
            batch += "    and t2.FNumber like '" + g + ".%'" + kCrLf;
    }
    batch += " Select Distinct FItemID into #tmp From ICBatchNoRule" + kCrLf;
    for (const Element& e : elements) {
        batch += kItemHead + " Select " + Values(e, " FItemID") + kCrLf + " From t_ICItem" + kCrLf + " Where FBatchManager = 1" + kCrLf;
        if (!g.isEmpty())
            batch += numberLine;
        if (itemIsTop)
            batch += "    and FItemID not in (Select Distinct FItemID From #tmp)" + kCrLf;
        batch += kCrLf;
    }
    return batch + " Drop table #tmp" + kCrLf;
}

QString GroupSave(int groupId, const QList<Element>& elements)
{
    QString batch = Lines({" Delete from ICBatchNoRule ", " Where FItemID=" + QString::number(groupId) + " and ",
                           "       FDetail=0"});
    for (const Element& e : elements)
        batch += kGroupHead + " Values(" + Values(e, QString::number(groupId)) + ",0)" + kCrLf;
    return batch;
}

QString ReadOptions()
{
    return Lines({" Select FKey,FValue From t_SystemProFile ", " Where FCategory='IC' And ",
                  "       FKey in('BatchManual','BatchLackManual','BatchRepeatEcho','AutoCreateBatNo','BatchItemIsTop')"});
}

QString WriteOptions(int manual, int lackManual, int repeatEcho, int autoCreate, int itemIsTop)
{
    QStringList lines;
    const QList<QPair<int, QString>> updates{
        {manual, "BatchManual"}, {lackManual, "BatchLackManual"}, {repeatEcho, "BatchRepeatEcho"},
        {autoCreate, "AutoCreateBatNo"}};
    for (const auto& [state, key] : updates)
        lines << " Update t_SystemProFile Set FValue='" + QString::number(state) + "'"
              << " Where FCategory='IC' And " << "       FKey in('" + key + "')";
    const QString top = QString::number(itemIsTop);
    lines << "IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FCategory='IC' AND FKey LIKE 'BatchItemIsTop')"
          << "BEGIN"
          << "  INSERT INTO t_SystemProfile(FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,FFormat,"
             "FSort,FDescription_cht,FDescription_en)"
          << "  VALUES('IC','BatchItemIsTop'," + top
                 + ",1,N'物料类设置不改变个别物料设置',0,N'物料类设置不改变个别物料设置',NULL,1.00,N'物料類設置不改變個別物料設置',"
                   "'Do not update the setting of material in BatchNo-Management when updates its higher-up')"
          << "End"
          << "ELSE"
          << "  UPDATE t_SystemProfile SET FValue=" + top + " WHERE FCategory='IC' AND FKey LIKE 'BatchItemIsTop'";
    return Lines(lines);
}

QString MissingOptionRows(int manual, int lackManual, int repeatEcho, int autoCreate)
{
    QStringList lines;
    const char* const columns = "  INSERT INTO t_SystemProfile(FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,"
                                "FFormat,FSort,FDescription_cht,FDescription_en)";
    lines << "IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FCategory='IC' AND FKey in('BatchManual'))" << columns
          << QString("  VALUES('IC','BatchManual','%1',1,N'在单据上可手工改变批号',0,N'在单据上可手工改变批号',NULL,1.00,"
                     "N'在單據上可手工改變批號','Batch numbers may be changed by hand on documents')").arg(manual)
          << "IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FCategory='IC' AND FKey in('BatchLackManual'))" << columns
          << QString("  VALUES('IC','BatchLackManual','%1',1,N'编码信息不全时可做手工改变',0,N'编码信息不全时可做手工改变',NULL,"
                     "1.00,N'編碼信息不全時可做手工改變','Batch numbers may be changed by hand when codes are missing')")
                 .arg(lackManual)
          << "IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FCategory='IC' AND FKey in('BatchRepeatEcho'))" << columns
          << QString("  VALUES('IC','BatchRepeatEcho','%1',1,N'批号重复给予提示',0,N'批号重复给予提示',NULL,1.00,"
                     "N'批號重複給予提示','Prompt when a batch number is duplicated')").arg(repeatEcho)
          << "IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FCategory='IC' AND FKey in('AutoCreateBatNo'))" << columns
          << QString("  VALUES('IC','AutoCreateBatNo','%1',1,N'蓝字入库单批次号根据规则直接产生',0,"
                     "N'蓝字入库单批次号根据规则直接产生',NULL,1.00,N'藍字入庫單批次號根據規則直接產生',"
                     "'Blue-ink receipts take their batch numbers from the rule')").arg(autoCreate);
    return Lines(lines);
}

}
