#pragma once

#include <QString>

namespace vellbatchrule {

// What an ODBC connection string says, as the driver manager reads it:
// KEY=value pairs split at ";", a value in braces may hold ";".
namespace OdbcConnectionString {

// The value of `key` (any case) in the string, or "" when it has none.
QString Value(const QString& connectionString, const QString& key);

// The string as a message may show it: every password's value is "****".
QString Masked(const QString& connectionString);

// The string as Qt's ODBC driver must be given it. The driver takes a
// string that names no driver and no server for a bare data source name and
// puts "DSN=" before it itself, so "DSN=name;UID=…" is handed over as "name;UID=…".
QString ForQtDriver(const QString& connectionString);

// The database file when the string, or the data source it names, reaches
// SQLite; "" for any other database.
QString SqliteDatabaseFile(const QString& connectionString);

}

}
