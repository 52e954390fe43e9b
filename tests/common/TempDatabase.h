#pragma once

#include "TestSupport.h"
#include "AppConnection.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A SQLite file in a temporary folder with the host's schema, reached through
// the real host connection.
class TempDatabase {
public:
    enum class Content { HandMade, Empty };
    explicit TempDatabase(Content content = Content::HandMade);

    QString Path() const { return dir_.filePath(QStringLiteral("host.sqlite")); }
    AppConnection& Connection();

    // Registers every host component on this file, with the session given, and
    // a recording message box.
    void RegisterAsHost(const QString& propsString = QString());

    // The first column of the first row, as text; "" when there is no row.
    QString Scalar(const QString& sql);
    // Every row, columns joined by "|", rows by "\n".
    QString Rows(const QString& sql);
    // The same, straight through SQLite, for what is no Transact-SQL.
    QString NativeRows(const QString& sql);

private:
    static QString RowsOf(std::unique_ptr<Recordset> rows);

    QTemporaryDir dir_;
    std::shared_ptr<AppConnection> connection_;
};
