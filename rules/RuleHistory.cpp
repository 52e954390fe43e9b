#include "RuleHistory.h"

#include "HostText.h"
#include "MParse.h"
#include "Recordset.h"
#include "RWDatabase.h"
#include "SqlLines.h"

namespace vellbatchrule {

namespace RuleHistory {

namespace {

const QString kRowColumns = QStringLiteral("FItemID,FDetail,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,"
                                           "FCharacter,FSubCharacter");

QString Number(qint32 value)
{
    return QString::number(value);
}

QString OwnerIs(qint32 ownerId, RuleOwner owner)
{
    return QStringLiteral("FItemID=") + Number(ownerId) + QStringLiteral(" AND FDetail=") + Number(int(owner));
}

}

QStringList GroupNumbersAbove(const QString& number)
{
    QStringList groups;
    for (qsizetype dot = number.indexOf(QLatin1Char('.')); dot > 0; dot = number.indexOf(QLatin1Char('.'), dot + 1))
        groups << number.left(dot);
    return groups;
}

Entry EntryOf(const Recordset& row)
{
    const auto field = [&](const char* name) { return row.Field(QLatin1String(name)); };
    return {field("FEntryID").toInt(), field("FUserID").toInt(),  field("FUserName").toString(),
            RuleOwner(field("FDetail").toInt()), field("FItemID").toInt(), field("FSource").toString(),
            field("FBefore").toString(),  field("FAfter").toString(), field("FMaterials").toInt(),
            field("FTime").toString()};
}

QString OwnerText(const Entry& entry)
{
    if (entry.owner == kOptions)
        return MParse::TranslateText("批号选项");
    return entry.owner == RuleOwner::Material ? MParse::TranslateFormat("物料%1", {entry.ownerId})
                                              : MParse::TranslateFormat("物料组%1", {entry.ownerId});
}

QString UserText(const Entry& entry)
{
    const QString id = Number(entry.userId);
    return entry.userName.isEmpty() ? id : entry.userName + QLatin1Char('(') + id + QLatin1Char(')');
}

QString SourceText(const Entry& entry)
{
    static const std::pair<const char*, const char*> names[] = {
        {"editor", QT_TRANSLATE_NOOP("VEZAROZIVADA", "编辑器")},  {"command", QT_TRANSLATE_NOOP("VEZAROZIVADA", "命令行")},
        {"import", QT_TRANSLATE_NOOP("VEZAROZIVADA", "规则文件引入")}, {"restore", QT_TRANSLATE_NOOP("VEZAROZIVADA", "恢复")},
        {"options", QT_TRANSLATE_NOOP("VEZAROZIVADA", "批号选项")},  {"host", QT_TRANSLATE_NOOP("VEZAROZIVADA", "宿主程序")},
    };
    for (const auto& [key, name] : names)
        if (entry.source == QLatin1String(key))
            return MParse::TranslateText(name);
    return entry.source;
}

QString OwnerName(RuleOwner owner, qint32 ownerId)
{
    if (owner == kOptions)
        return QStringLiteral("options");
    return (owner == RuleOwner::Material ? QStringLiteral("material ") : QStringLiteral("group ")) + Number(ownerId);
}

QString CreateTableSql()
{
    SqlLines sql;
    sql << QStringLiteral(" CREATE TABLE ICBatchNoRuleHistory (")
        << QStringLiteral("   FEntryID int NOT NULL PRIMARY KEY,") << QStringLiteral("   FTime datetime NOT NULL,")
        << QStringLiteral("   FUserID int NOT NULL,") << QStringLiteral("   FUserName nvarchar(80) NOT NULL,")
        << QStringLiteral("   FDetail int NOT NULL,") << QStringLiteral("   FItemID int NOT NULL,")
        << QStringLiteral("   FSource varchar(10) NOT NULL,") << QStringLiteral("   FBefore nvarchar(400) NOT NULL,")
        << QStringLiteral("   FAfter nvarchar(400) NOT NULL,") << QStringLiteral("   FMaterials int NOT NULL)")
        << QStringLiteral(" CREATE INDEX ix_BatchNoRuleHistory_Owner ON ICBatchNoRuleHistory (FDetail, FItemID, FEntryID)")
        << QStringLiteral(" CREATE TABLE ICBatchNoRuleHistoryRow (")
        << QStringLiteral("   FEntryID int NOT NULL,") << QStringLiteral("   FStage int NOT NULL,")
        << QStringLiteral("   FItemID int NOT NULL,") << QStringLiteral("   FDetail int NOT NULL,")
        << QStringLiteral("   FID int NOT NULL,") << QStringLiteral("   FPropertyID int NOT NULL,")
        << QStringLiteral("   FUseShortNumber int NOT NULL,") << QStringLiteral("   FFormatDate nvarchar(255) NOT NULL,")
        << QStringLiteral("   FSelDefine nvarchar(255) NOT NULL,") << QStringLiteral("   FWidth int NOT NULL,")
        << QStringLiteral("   FCharacter nvarchar(10) NOT NULL,") << QStringLiteral("   FSubCharacter nvarchar(10) NOT NULL)")
        << QStringLiteral(" CREATE INDEX ix_BatchNoRuleHistoryRow_Entry ON ICBatchNoRuleHistoryRow (FEntryID, FStage, FItemID)");
    return sql.Text();
}

QString NextEntrySql()
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT COALESCE(MAX(FEntryID), 0) + 1 AS FNext FROM ICBatchNoRuleHistory");
    return sql.Text();
}

QString OwnerRowsSql(qint32 entry, Stage stage, qint32 ownerId, RuleOwner owner)
{
    SqlLines sql;
    sql << QStringLiteral(" INSERT INTO ICBatchNoRuleHistoryRow (FEntryID,FStage,") + kRowColumns + QLatin1Char(')')
        << QStringLiteral(" SELECT ") + Number(entry) + QLatin1Char(',') + Number(stage) + QLatin1Char(',') + kRowColumns
        << QStringLiteral(" FROM ICBatchNoRule")
        << QStringLiteral(" WHERE FItemID=") + Number(ownerId) + QStringLiteral(" AND FDetail=") + Number(int(owner));
    return sql.Text();
}

QString MaterialRowsSql(qint32 entry, const QString& groupNumber)
{
    SqlLines sql;
    sql << QStringLiteral(" INSERT INTO ICBatchNoRuleHistoryRow (FEntryID,FStage,") + kRowColumns + QLatin1Char(')')
        << QStringLiteral(" SELECT ") + Number(entry) + QStringLiteral(",0,r.FItemID,r.FDetail,r.FID,r.FPropertyID,"
                                                                      "r.FUseShortNumber,r.FFormatDate,r.FSelDefine,"
                                                                      "r.FWidth,r.FCharacter,r.FSubCharacter")
        << QStringLiteral(" FROM ICBatchNoRule r, t_ICItem i")
        << QStringLiteral(" WHERE r.FItemID=i.FItemID AND r.FDetail=1 AND i.FBatchManager=1");
    if (!groupNumber.isEmpty())
        sql << QStringLiteral("   AND ") + RWDatabase::NumberBelow(QStringLiteral("i.FNumber"), groupNumber);
    return sql.Text();
}

QString EntrySql(const Entry& e)
{
    SqlLines sql;
    sql << QStringLiteral(" INSERT INTO ICBatchNoRuleHistory (FEntryID,FTime,FUserID,FUserName,FDetail,FItemID,FSource,"
                          "FBefore,FAfter,FMaterials)")
        << QStringLiteral(" VALUES (") + Number(e.id) + QStringLiteral(",CURRENT_TIMESTAMP,") + Number(e.userId)
               + QLatin1Char(',') + HostText::SqlLiteral(e.userName) + QLatin1Char(',') + Number(int(e.owner))
               + QLatin1Char(',') + Number(e.ownerId) + QLatin1Char(',') + HostText::SqlLiteral(e.source)
               + QLatin1Char(',') + HostText::SqlLiteral(e.before) + QLatin1Char(',') + HostText::SqlLiteral(e.after)
               + QLatin1Char(',') + Number(e.materials) + QLatin1Char(')');
    return sql.Text();
}

QString ListSql(std::optional<std::pair<RuleOwner, qint32>> owner, const std::optional<QDate>& since)
{
    QStringList conditions;
    if (owner)
        conditions << OwnerIs(owner->second, owner->first);
    // After the last moment of the day before, in the form both databases
    // order alike: SQL Server reads it as a time whatever its date format,
    // and SQLite's text "YYYY-MM-DD hh:mm:ss" of that day sorts before the "T".
    if (since)
        conditions << QStringLiteral("FTime>")
                          + HostText::SqlLiteral(since->addDays(-1).toString(Qt::ISODate) + QStringLiteral("T23:59:59.997"));
    SqlLines sql;
    sql << QStringLiteral(" SELECT ") + kEntryColumns << QStringLiteral(" FROM ICBatchNoRuleHistory");
    if (!conditions.isEmpty())
        sql << QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    sql << QStringLiteral(" ORDER BY FEntryID DESC");
    return sql.Text();
}

QString PageSql(std::optional<std::pair<RuleOwner, qint32>> owner, std::optional<qint32> before, int count)
{
    QStringList conditions;
    if (owner)
        conditions << OwnerIs(owner->second, owner->first);
    if (before)
        conditions << QStringLiteral("FEntryID<") + Number(*before);
    SqlLines sql;
    sql << QStringLiteral(" SELECT TOP ") + Number(count) + QLatin1Char(' ') + kEntryColumns
        << QStringLiteral(" FROM ICBatchNoRuleHistory");
    if (!conditions.isEmpty())
        sql << QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    sql << QStringLiteral(" ORDER BY FEntryID DESC");
    return sql.Text();
}

QString EntryOfSql(qint32 entry)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT ") + kEntryColumns << QStringLiteral(" FROM ICBatchNoRuleHistory")
        << QStringLiteral(" WHERE FEntryID=") + Number(entry);
    return sql.Text();
}

QString AfterRowsSql(qint32 entry, RuleOwner owner, qint32 ownerId)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                          "FSubCharacter")
        << QStringLiteral(" FROM ICBatchNoRuleHistoryRow")
        << QStringLiteral(" WHERE FEntryID=") + Number(entry) + QStringLiteral(" AND FStage=1 AND ")
               + OwnerIs(ownerId, owner)
        << QStringLiteral(" ORDER BY FItemID,FID");
    return sql.Text();
}

QString LaterChangesSql(qint32 entry, RuleOwner owner, qint32 ownerId, const std::optional<QString>& spreadNumber)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT ") + kEntryColumns << QStringLiteral(" FROM ICBatchNoRuleHistory")
        << QStringLiteral(" WHERE FEntryID>") + Number(entry) + QStringLiteral(" AND (") + OwnerIs(ownerId, owner);
    if (spreadNumber) {
        const bool root = spreadNumber->isEmpty();
        const QString below = root ? QString() : QStringLiteral(" AND ") + RWDatabase::NumberBelow(QStringLiteral("FNumber"), *spreadNumber);
        sql << QStringLiteral("   OR FDetail=1 AND FItemID IN (SELECT FItemID FROM t_ICItem WHERE FBatchManager=1") + below
                   + QLatin1Char(')')
            << QStringLiteral("   OR FDetail=0 AND FItemID IN (SELECT FItemID FROM t_Item WHERE FItemClassID=4 AND "
                              "FDetail=0") + below + QLatin1Char(')');
        if (!root) {
            const QStringList above = GroupNumbersAbove(*spreadNumber);
            sql << QStringLiteral("   OR FDetail=0 AND FItemID=0");
            if (!above.isEmpty())
                sql << QStringLiteral("   OR FDetail=0 AND FItemID IN (SELECT FItemID FROM t_Item WHERE FItemClassID=4 "
                                      "AND FDetail=0 AND FNumber IN (") + HostText::SqlLiterals(above) + QStringLiteral("))");
        }
    }
    sql << QStringLiteral(" ) ORDER BY FEntryID DESC");
    return sql.Text();
}

QString RestoreOwnerSql(qint32 entry, RuleOwner owner, qint32 ownerId)
{
    SqlLines sql;
    sql << QStringLiteral(" DELETE FROM ICBatchNoRule WHERE ") + OwnerIs(ownerId, owner)
        << QStringLiteral(" INSERT INTO ICBatchNoRule (") + kRowColumns + QLatin1Char(')')
        << QStringLiteral(" SELECT ") + kRowColumns << QStringLiteral(" FROM ICBatchNoRuleHistoryRow")
        << QStringLiteral(" WHERE FEntryID=") + Number(entry) + QStringLiteral(" AND FStage=0 AND ") + OwnerIs(ownerId, owner);
    return sql.Text();
}

QString RestoreMaterialsSql(qint32 entry, const QString& groupNumber, const QString& scopeFrom,
                            const QString& scopeWhere)
{
    const QString tables = scopeFrom.isEmpty() ? QString() : QLatin1Char(',') + scopeFrom;
    QString conditions = QStringLiteral(" and t2.FBatchManager = 1");
    if (!groupNumber.isEmpty())
        conditions += QStringLiteral(" and ") + RWDatabase::NumberBelow(QStringLiteral("t2.FNumber"), groupNumber);
    if (!scopeWhere.isEmpty())
        conditions += QStringLiteral(" and ") + scopeWhere;
    const QString kept = QStringLiteral("t1.") + QString(kRowColumns).replace(QLatin1Char(','), QStringLiteral(",t1."));
    SqlLines sql;
    sql << QStringLiteral(" Delete t1") << QStringLiteral(" From ICBatchNoRule t1,t_ICItem t2") + tables
        << QStringLiteral(" Where t1.FItemID=t2.FItemID and t1.FDetail=1") + conditions
        << QStringLiteral(" INSERT INTO ICBatchNoRule (") + kRowColumns + QLatin1Char(')')
        << QStringLiteral(" SELECT ") + kept << QStringLiteral(" FROM ICBatchNoRuleHistoryRow t1,t_ICItem t2") + tables
        << QStringLiteral(" WHERE t1.FEntryID=") + Number(entry)
               + QStringLiteral(" AND t1.FStage=0 AND t1.FDetail=1 AND t1.FItemID=t2.FItemID") + conditions;
    return sql.Text();
}

}

}
