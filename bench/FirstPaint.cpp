// Starts a window and exits at its first paint, printing nothing: the
// window benchmark times the whole process, from start to that paint.
//   vell-first-paint bare             a bare QMainWindow
//   vell-first-paint main DATABASE    the main window on the database
#include "BatRuleFace.h"
#include "DemoDatabase.h"
#include "StockComponents.h"
#include "frmBatRuleMain.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <optional>

using namespace vellbatchrule;

namespace {

// Quits once a widget of the window has painted, after the rest of that paint.
class QuitAtFirstPaint : public QObject {
public:
    explicit QuitAtFirstPaint(QWidget& window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == &window_ && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget& window_;
    bool quitting_ = false;
};

}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    std::optional<BatRuleFace> face;
    std::unique_ptr<QWidget> window;
    if (args.value(1) == QStringLiteral("main")) {
        UseStockComponents({args.value(2), DefaultPropsString(), QStringLiteral(VELL_RESOURCE_DIR)});
        face.emplace();
        auto main = std::make_unique<frmBatRuleMain>();
        main->Form_Load();
        window = std::move(main);
    } else {
        window = std::make_unique<QMainWindow>();
        window->resize(1024, 768);
    }
    QuitAtFirstPaint quit(*window);
    app.installEventFilter(&quit);
    window->show();
    return QApplication::exec();
}
