// Not part of any host: preloaded into one under test, it closes the first
// modal window as a user would, and says which window it was, its title and
// what its status bar says.
#include <QApplication>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>
#include <cstdio>

static void CloseTheWindowSoon()
{
    QTimer::singleShot(400, [] {
        QWidget* window = QApplication::activeModalWidget();
        std::printf("closing %s titled '%s'\n", window ? qPrintable(window->objectName()) : "nothing",
                    window ? qPrintable(window->windowTitle()) : "");
        if (auto* bar = window ? window->findChild<QStatusBar*>("sbBatRule") : nullptr)
            std::printf("status bar says '%s'\n", qPrintable(bar->currentMessage()));
        std::fflush(stdout);
        if (window)
            window->close();
    });
}

Q_COREAPP_STARTUP_FUNCTION(CloseTheWindowSoon)
