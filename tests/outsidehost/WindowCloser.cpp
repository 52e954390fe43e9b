// Not part of any host: preloaded into one under test, it closes the first
// modal window as a user would, and says which window it was and its title.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

static void CloseTheWindowSoon()
{
    QTimer::singleShot(400, [] {
        QWidget* window = QApplication::activeModalWidget();
        std::printf("closing %s titled '%s'\n", window ? qPrintable(window->objectName()) : "nothing",
                    window ? qPrintable(window->windowTitle()) : "");
        std::fflush(stdout);
        if (window)
            window->close();
    });
}

Q_COREAPP_STARTUP_FUNCTION(CloseTheWindowSoon)
