#pragma once

#include <QString>

namespace vellbatchrule {

// The database the main window opens when the command line names none, as
// a program started from the desktop's menu must: the last SQLite file the
// main window opened, else the demo in the user's data folder.
namespace UserDatabase {

// That file; the demo's place (its folder made) when no earlier one is still there.
QString Choose();

// Keeps a SQLite file the main window opened for the next start without one.
// ODBC connection strings are never kept: they may hold a password.
void Remember(const QString& connection);

}

}
