// Starts a window and exits at its first paint, printing nothing: the
// window benchmark times the whole process, from start to that paint.
//   vell-first-paint plain            a plain Qt program: a tree of 40 group nodes and a
//                                     40×3 table of the same Chinese texts, in the same font
//   vell-first-paint main DATABASE    the main window on the database
#include "BatRuleFace.h"
#include "DemoDatabase.h"
#include "StockComponents.h"
#include "frmBatRuleMain.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

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

// What a plain program shows of the same data: a screen of group nodes and of
// ledger rows, as the synthetic database names them, in the main window's font.
std::unique_ptr<QWidget> PlainWindow()
{
    auto window = std::make_unique<QWidget>();
    window->setFont(QFont(QStringList{QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC")}));
    auto* tree = new QTreeWidget;
    tree->setHeaderHidden(true);
    auto* table = new QTableWidget(40, 3);
    table->setHorizontalHeaderLabels({QStringLiteral("物料代码"), QStringLiteral("物料名称"), QStringLiteral("批号规则")});
    for (int row = 0; row < 40; ++row) {
        const QString number = QStringLiteral("01.%1").arg(row + 1, 2, 10, QLatin1Char('0'));
        new QTreeWidgetItem(tree, {number + QStringLiteral("(物料组 ") + number + QLatin1Char(')')});
        const QString code = number + QStringLiteral(".%1").arg(row + 1, 6, 10, QLatin1Char('0'));
        const QString cells[3] = {code, QStringLiteral("物料 ") + code,
                                  QStringLiteral("[物料代码]+[日期]+[流水号]+[行号]+[自定义]+[供应商代码]")};
        for (int column = 0; column < 3; ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    auto* panes = new QHBoxLayout(window.get());
    panes->addWidget(tree, 1);
    panes->addWidget(table, 4);
    window->setWindowState(Qt::WindowMaximized);
    return window;
}

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
        window = PlainWindow();
    }
    QuitAtFirstPaint quit(*window);
    app.installEventFilter(&quit);
    window->show();
    return QApplication::exec();
}
