#pragma once

#include <QString>

// What an ODBC connection string says, as the driver manager reads it:
// KEY=value pairs split at ";", a value in braces may hold ";".
namespace OdbcConnectionString {

// The value of `key` (any case) in the string, or "" when it has none.
QString Value(const QString& connectionString, const QString& key);

// The database file when the string, or the data source it names, reaches
// SQLite; "" for any other database.
QString SqliteDatabaseFile(const QString& connectionString);

}
