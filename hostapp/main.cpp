#include "CommandLine.h"
#include "Limits.h"
#include "StockComponents.h"

#include <QApplication>
#include <cstdio>

using namespace vellbatchrule;

int main(int argc, char* argv[])
{
    Limits::MeetAsErrors();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CommandLine commandLine;
    if (const std::optional<int> ended = commandLine.Read(arguments))
        return *ended;
    const QString noDisplay = WindowSystemProblem();
    if (commandLine.OpensWindow() && !noDisplay.isEmpty()) {
        std::fprintf(stderr, "vell-batchrule: %s: %s.\nRun it in a desktop session, or under xvfb-run.\n",
                     commandLine.CommandName().isEmpty() ? "the main window" : qPrintable(commandLine.CommandName()),
                     qPrintable(noDisplay));
        return 1;
    }
    if (commandLine.Paints()) {
        // Printing to a file paints without a window: no display is needed.
        if (!noDisplay.isEmpty())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("vell-batchrule"));
        return commandLine.Run();
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vell-batchrule"));
    return commandLine.Run();
}
