#include "BatchOptions.h"

#include "HostText.h"
#include "ModuleState.h"
#include "SqlLines.h"

namespace vellbatchrule {

namespace {

// Each option's key, its state and the descriptions its row is added with.
struct OptionKey {
    const char* key;
    int BatchOptions::*state;
    QString chs, cht, en;
};

const OptionKey kKeys[] = {
    {"BatchManual", &BatchOptions::manual, QStringLiteral("在单据上可手工改变批号"), QStringLiteral("在單據上可手工改變批號"),
     QStringLiteral("Batch numbers may be changed by hand on documents")},
    {"BatchLackManual", &BatchOptions::lackManual, QStringLiteral("编码信息不全时可做手工改变"),
     QStringLiteral("編碼信息不全時可做手工改變"), QStringLiteral("Batch numbers may be changed by hand when codes are missing")},
    {"BatchRepeatEcho", &BatchOptions::repeatEcho, QStringLiteral("批号重复给予提示"), QStringLiteral("批號重複給予提示"),
     QStringLiteral("Prompt when a batch number is duplicated")},
    {"AutoCreateBatNo", &BatchOptions::autoCreate, QStringLiteral("蓝字入库单批次号根据规则直接产生"),
     QStringLiteral("藍字入庫單批次號根據規則直接產生"), QStringLiteral("Blue-ink receipts take their batch numbers from the rule")},
    {"BatchItemIsTop", &BatchOptions::itemIsTop, QStringLiteral("物料类设置不改变个别物料设置"),
     QStringLiteral("物料類設置不改變個別物料設置"),
     QStringLiteral("Do not update the setting of material in BatchNo-Management when updates its higher-up")},
};

// The option's update, as the module writes it.
void AddUpdate(SqlLines& sql, const OptionKey& option, int state)
{
    sql << QStringLiteral(" Update t_SystemProFile Set FValue='") + QString::number(state) + QLatin1Char('\'')
        << QStringLiteral(" Where FCategory='IC' And ")
        << QStringLiteral("       FKey in('%1')").arg(QLatin1String(option.key));
}

// The option's row where it has none; the test is the update's own condition.
void AddMissingRow(SqlLines& sql, const OptionKey& option, int state)
{
    const QString key = QLatin1String(option.key);
    sql << QStringLiteral("IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FCategory='IC' AND FKey in('%1'))").arg(key)
        << QStringLiteral("  INSERT INTO t_SystemProfile(FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,"
                          "FFormat,FSort,FDescription_cht,FDescription_en)")
        << QStringLiteral("  VALUES('IC','%1','%2',1,%3,0,%3,NULL,1.00,%4,%5)")
               .arg(key, QString::number(state), HostText::SqlLiteral(option.chs), HostText::SqlLiteral(option.cht),
                    HostText::SqlLiteral(option.en));
}

// A stored value outside 0 to 2 shows as ticked when it is not 0.
int CheckState(const QVariant& value)
{
    const double number = HostText::Val(value.toString());
    if (number == 0 || number == 1 || number == 2)
        return int(number);
    return number != 0 ? 1 : 0;
}

}

QString BatchOptions::ReadSql()
{
    SqlLines sql;
    sql << QStringLiteral(" Select FKey,FValue From t_SystemProFile ") << QStringLiteral(" Where FCategory='IC' And ")
        << QStringLiteral("       FKey in('BatchManual','BatchLackManual','BatchRepeatEcho','AutoCreateBatNo',"
                          "'BatchItemIsTop')");
    return sql.Text();
}

void BatchOptions::ReadBatchOptions()
{
    const auto rows = CurrentHostConnection().Execute(ReadSql());
    for (; rows && !rows->Eof(); rows->MoveNext()) {
        const QString key = HostText::TrimBlanks(rows->Field(QStringLiteral("FKey")).toString());
        for (const OptionKey& option : kKeys)
            if (key == QLatin1String(option.key)) {
                this->*option.state = CheckState(rows->Field(QStringLiteral("FValue")));
                break;
            }
    }
}

QString BatchOptions::WriteSql() const
{
    SqlLines sql;
    for (const OptionKey& option : kKeys)
        if (option.state != &BatchOptions::itemIsTop)
            AddUpdate(sql, option, this->*option.state);
    const QString top = QString::number(itemIsTop);
    // The descriptions are N'…' literals: without N, SQL Server keeps only what the database's code page holds.
    sql << QStringLiteral("IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FCategory='IC' AND FKey LIKE 'BatchItemIsTop')")
        << QStringLiteral("BEGIN")
        << QStringLiteral("  INSERT INTO t_SystemProfile(FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,"
                          "FFormat,FSort,FDescription_cht,FDescription_en)")
        << QStringLiteral("  VALUES('IC','BatchItemIsTop',") + top
               + QStringLiteral(",1,N'物料类设置不改变个别物料设置',0,N'物料类设置不改变个别物料设置',NULL,1.00,"
                                "N'物料類設置不改變個別物料設置','Do not update the setting of material in "
                                "BatchNo-Management when updates its higher-up')")
        << QStringLiteral("End") << QStringLiteral("ELSE")
        << QStringLiteral("  UPDATE t_SystemProfile SET FValue=") + top
               + QStringLiteral(" WHERE FCategory='IC' AND FKey LIKE 'BatchItemIsTop'");
    return sql.Text();
}

// The row of an option the update finds none for, with its descriptions as
// BatchItemIsTop's row has them; BatchItemIsTop's own is the update's.
QString BatchOptions::MissingRowsSql() const
{
    SqlLines sql;
    for (const OptionKey& option : kKeys)
        if (option.state != &BatchOptions::itemIsTop)
            AddMissingRow(sql, option, this->*option.state);
    return sql.Text();
}

BatchOptions BatchOptions::KeepingOthersChanges(const BatchOptions& loaded, const BatchOptions& storedNow) const
{
    BatchOptions written = *this;
    for (const OptionKey& option : kKeys)
        if (this->*option.state == loaded.*option.state)
            written.*option.state = storedNow.*option.state;
    return written;
}

QString BatchOptions::WriteKeysSql(const QStringList& keys) const
{
    SqlLines sql;
    for (const OptionKey& option : kKeys) {
        if (!keys.contains(QLatin1String(option.key)))
            continue;
        AddUpdate(sql, option, this->*option.state);
        AddMissingRow(sql, option, this->*option.state);
    }
    return sql.Text();
}

void BatchOptions::WriteBatchOptions() const
{
    CurrentHostConnection().Execute(WriteSql());
    CurrentHostConnection().Execute(MissingRowsSql());
}

std::pair<QString, QString> BatchOptions::ChangesFrom(const BatchOptions& before) const
{
    QStringList was, now;
    for (const OptionKey& option : kKeys)
        if (before.*option.state != this->*option.state) {
            was << QLatin1String(option.key) + QLatin1Char('=') + QString::number(before.*option.state);
            now << QLatin1String(option.key) + QLatin1Char('=') + QString::number(this->*option.state);
        }
    return {was.join(QLatin1Char(',')), now.join(QLatin1Char(','))};
}

}
