#include "TempDatabase.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "DemoDatabase.h"
#include "Fakes.h"
#include "StockComponents.h"
#include "MaterializedRecordset.h"
#include "SqlConnection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <QStringList>

TempDatabase::TempDatabase(Content content)
{
    DemoDatabase::WriteHandMade(Path());
    connection_ = std::make_shared<SqlConnection>(Path());
    if (content == Content::Empty)
        connection_->Execute(QStringLiteral("DELETE FROM ICBatchNoRule DELETE FROM t_ICItem DELETE FROM t_Item "
                                            "DELETE FROM t_SystemProfile"));
}

AppConnection& TempDatabase::Connection()
{
    return *connection_;
}

void TempDatabase::RegisterAsHost(const QString& propsString)
{
    for (const QString& name : ComponentNames::All)   // what an earlier test registered as its own goes
        ComponentRegistry::Instance().Unregister(name);
    UseStockComponents({Path(), propsString.isNull() ? DefaultPropsString() : propsString, VELL_RESOURCE_DIR});
    RecordingMessageBox::Register();   // a test never waits on a modal box
}

QString TempDatabase::Scalar(const QString& sql)
{
    const auto rows = connection_->Execute(sql);
    return rows && !rows->Eof() ? rows->Field(0).toString() : QString();
}

QString TempDatabase::Rows(const QString& sql)
{
    return RowsOf(connection_->Execute(sql));
}

QString TempDatabase::NativeRows(const QString& sql)
{
    std::unique_ptr<Recordset> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "vell-native");
        db.setDatabaseName(Path());
        db.open();
        QSqlQuery query(db);
        query.exec(sql);
        QList<QList<QVariant>> values;
        while (query.next()) {
            QList<QVariant> row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i);
            values << row;
        }
        rows = std::make_unique<MaterializedRecordset>(QStringList(query.record().count(), "c"), values);
    }
    QSqlDatabase::removeDatabase("vell-native");
    return RowsOf(std::move(rows));
}

QString TempDatabase::RowsOf(std::unique_ptr<Recordset> rows)
{
    QStringList lines;
    for (; rows && !rows->Eof(); rows->MoveNext()) {
        QStringList values;
        for (int i = 0; i < rows->FieldCount(); ++i)
            values.append(rows->Field(i).toString());
        lines.append(values.join(QLatin1Char('|')));
    }
    return lines.join(QLatin1Char('\n'));
}
