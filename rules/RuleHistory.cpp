#include "RuleHistory.h"

#include "HostText.h"
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
        sql << QStringLiteral("   AND i.FNumber LIKE ") + HostText::SqlLiteral(groupNumber + QStringLiteral(".%"));
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

QString ListSql(std::optional<std::pair<RuleOwner, qint32>> owner)
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT FEntryID,FTime,FUserID,FUserName,FDetail,FItemID,FSource,FBefore,FAfter,FMaterials")
        << QStringLiteral(" FROM ICBatchNoRuleHistory");
    if (owner)
        sql << QStringLiteral(" WHERE FDetail=") + Number(int(owner->first)) + QStringLiteral(" AND FItemID=")
                   + Number(owner->second);
    sql << QStringLiteral(" ORDER BY FEntryID DESC");
    return sql.Text();
}

}

}
