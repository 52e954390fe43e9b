#include "Commands.h"

#include "BatRuleFace.h"
#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "DemoDatabase.h"
#include "HostError.h"
#include "ResourceLoader.h"
#include "StockComponents.h"
#include "UserDatabase.h"

#include <QApplication>
#include <QEvent>
#include <QStatusBar>
#include <QStringList>

#include <functional>
#include <utility>

namespace vellbatchrule {

namespace {

int Report(const HostError& error, QTextStream& err)
{
    err << error.Description() << '\n';
    return 1;
}

// A text of the program in the session's language, through the host's string loader.
QString Translated(const QString& text)
{
    try {
        const auto loader = ComponentRegistry::Instance().Create<ResourceLoader>(ComponentNames::ResourceLoader);
        loader->SetResFileBaseName(QStringLiteral("VEZAROZIVADA"));   // the component's own translations
        loader->SetLanguageID(SessionLanguage());
        return loader->LoadString(text);
    } catch (const HostError&) {
        return text;
    }
}

// Acts once, when the main window shows: it shows only after it has loaded.
class OnMainWindowShown : public QObject {
public:
    explicit OnMainWindowShown(std::function<void(QWidget*)> act) : act_(std::move(act))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && act_ && watched->objectName() == u"frmBatRuleMain")
            std::exchange(act_, nullptr)(static_cast<QWidget*>(watched));
        return false;
    }

private:
    std::function<void(QWidget*)> act_;
};

// Shown for a while in the window's status bar, found by its name.
void ShowInStatusBar(QWidget* window, const QString& text)
{
    constexpr int kShownMs = 15000;
    if (auto* bar = window->findChild<QStatusBar*>(QStringLiteral("sbBatRule")))
        bar->showMessage(text, kShownMs);
}

}

namespace Commands {

int DemoDb(const QString& file, int groups, int materials, QTextStream& out, QTextStream& err)
{
    try {
        if (groups > 0 || materials > 0)
            DemoDatabase::WriteSynthetic(file, groups, materials);
        else
            DemoDatabase::WriteHandMade(file);
        out << "Wrote " << ShownConnection(file) << '\n';
        return 0;
    } catch (const HostError& error) {
        err << QString(error.Description()).replace(file, ShownConnection(file)) << '\n';
        return 1;
    }
}

int MainWindow(const QString& database, Note note, QTextStream& err)
{
    try {
        BatRuleFace face;
        const OnMainWindowShown loaded([database, note](QWidget* window) {
            UserDatabase::Remember(database);
            if (note == Note::DemoWritten)
                ShowInStatusBar(window, Translated(QString::fromUtf8(QT_TRANSLATE_NOOP("VEZAROZIVADA", "已建立演示数据库"))));
        });
        face.Show();
        return 0;
    } catch (const HostError& error) {
        return Report(error, err);
    }
}

}

}
