#include "BatchOptions.h"

#include "HostText.h"
#include "ModuleState.h"
#include "SqlLines.h"

namespace vellbatchrule {

namespace {

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
    const std::pair<const char*, int*> boxes[] = {{"BatchManual", &manual},
                                                   {"BatchLackManual", &lackManual},
                                                   {"BatchRepeatEcho", &repeatEcho},
                                                   {"AutoCreateBatNo", &autoCreate},
                                                   {"BatchItemIsTop", &itemIsTop}};
    for (; rows && !rows->Eof(); rows->MoveNext()) {
        const QString key = HostText::TrimBlanks(rows->Field(QStringLiteral("FKey")).toString());
        for (const auto& [name, state] : boxes)
            if (key == QLatin1String(name)) {
                *state = CheckState(rows->Field(QStringLiteral("FValue")));
                break;
            }
    }
}

QString BatchOptions::WriteSql() const
{
    SqlLines sql;
    const std::pair<int, const char*> updates[] = {
        {manual, "BatchManual"}, {lackManual, "BatchLackManual"}, {repeatEcho, "BatchRepeatEcho"},
        {autoCreate, "AutoCreateBatNo"}};
    for (const auto& [state, key] : updates)
        sql << QStringLiteral(" Update t_SystemProFile Set FValue='") + QString::number(state) + QLatin1Char('\'')
            << QStringLiteral(" Where FCategory='IC' And ")
            << QStringLiteral("       FKey in('%1')").arg(QLatin1String(key));
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

void BatchOptions::WriteBatchOptions() const
{
    CurrentHostConnection().Execute(WriteSql());
}

}
