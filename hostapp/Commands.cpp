#include "Commands.h"

#include "AppConnection.h"
#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "DemoDatabase.h"
#include "HostError.h"

#include <QStringList>

namespace {

std::shared_ptr<AppConnection> Connect()
{
    return ComponentRegistry::Instance().Create<AppConnection>(ComponentNames::AppConnection);
}

void PrintRows(Recordset& rows, QTextStream& out)
{
    QStringList header;
    for (int i = 0; i < rows.FieldCount(); ++i)
        header.append(rows.FieldName(i));
    out << header.join(QLatin1Char('\t')) << '\n';
    for (; !rows.Eof(); rows.MoveNext()) {
        QStringList values;
        for (int i = 0; i < rows.FieldCount(); ++i)
            values.append(rows.Field(i).toString());
        out << values.join(QLatin1Char('\t')) << '\n';
    }
}

int Report(const HostError& error, QTextStream& err)
{
    err << error.Description() << '\n';
    return 1;
}

}

namespace Commands {

int Sql(QTextStream& in, QTextStream& out, QTextStream& err)
{
    try {
        const auto rows = Connect()->Execute(in.readAll());
        if (rows)
            PrintRows(*rows, out);
        return 0;
    } catch (const HostError& error) {
        return Report(error, err);
    }
}

int DemoDb(const QString& file, int groups, int materials, QTextStream& out, QTextStream& err)
{
    try {
        if (groups > 0 || materials > 0)
            DemoDatabase::WriteSynthetic(file, groups, materials);
        else
            DemoDatabase::WriteHandMade(file);
        out << "Wrote " << file << '\n';
        return 0;
    } catch (const HostError& error) {
        return Report(error, err);
    }
}

int Summary(QTextStream& out, QTextStream& err)
{
    const char* const sections[][2] = {
        {"Material groups",
         "SELECT FItemID,FNumber,FName,FParentID FROM t_Item WHERE FItemClassID = 4 AND FDetail = 0 ORDER BY FNumber"},
        {"Materials", "SELECT FItemID,FNumber,FName,FParentID,FBatchManager FROM t_ICItem ORDER BY FNumber"},
        {"Rules", "SELECT FItemID,FDetail,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                  "FSubCharacter FROM ICBatchNoRule ORDER BY FDetail,FItemID,FID"},
        {"Batch options", "SELECT FKey,FValue FROM t_SystemProfile WHERE FCategory = 'IC' ORDER BY FKey"},
    };
    try {
        const auto connection = Connect();
        for (const auto& section : sections) {
            out << "== " << section[0] << " ==\n";
            if (const auto rows = connection->Execute(QString::fromUtf8(section[1])))
                PrintRows(*rows, out);
            out << '\n';
        }
        return 0;
    } catch (const HostError& error) {
        return Report(error, err);
    }
}

}
