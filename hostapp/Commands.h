#pragma once

#include <QString>
#include <QTextStream>

namespace vellbatchrule {

// The commands of vell-batchrule; each answers the process exit code.
namespace Commands {

// Runs one Transact-SQL batch from `in` and prints its rows tab-separated.
int Sql(QTextStream& in, QTextStream& out, QTextStream& err);

// Writes the hand-made demo, or synthetic data when a size is given.
int DemoDb(const QString& file, int groups, int materials, QTextStream& out, QTextStream& err);

// Runs the main window until the user closes it.
int MainWindow(QTextStream& err);

}

}
