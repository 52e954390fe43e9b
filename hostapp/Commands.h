#pragma once

#include <QString>
#include <QTextStream>

namespace vellbatchrule {

// The commands of vell-batchrule; each answers the process exit code.
namespace Commands {

// Writes the hand-made demo, or synthetic data when a size is given.
int DemoDb(const QString& file, int groups, int materials, QTextStream& out, QTextStream& err);

// What the main window's status bar tells once the window has loaded.
enum class Note { None, DemoWritten };

// Runs the main window on `database`, the connection the stock components
// were given, until the user closes it; a database that loaded is the one
// the next start without a database opens.
int MainWindow(const QString& database, Note note, QTextStream& err);

}

}
