#pragma once

#include "VellBatchRuleExport.h"

#include <QString>
#include <QTextStream>

namespace vellbatchrule {

// The commands that need a QApplication: the main window, and the printout
// of a group's ledger into a PDF file without a window. Each answers the
// process exit code; a failure's reason goes to `err`.
namespace WindowCommands {

// Why no window can open here ("" when one can): without a display Qt
// would only abort. Asked before any application object is made.
VELLBATCHRULE_EXPORT QString WindowSystemProblem();

// Runs the main window until the user closes it.
VELLBATCHRULE_EXPORT int MainWindow(QTextStream& err);

// The ledger of a group (0: the root) as the main window prints it. The
// command's messages are shown as a command's are; the file is replaced
// only by a whole printout.
VELLBATCHRULE_EXPORT int PrintToPdf(qint32 groupId, const QString& pdfFile, QTextStream& out);

}

}
