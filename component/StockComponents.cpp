#include "StockComponents.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "ConsoleMessageBox.h"
#include "DialogMessageBox.h"
#include "GrantDataAccess.h"
#include "HelpBrowser.h"
#include "OdbcConnectionString.h"
#include "PercentFormatter.h"
#include "SharePropsStore.h"
#include "SqlConnection.h"
#include "TranslatorLoader.h"
#include "WidgetGlossaLoader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <QRegularExpression>

#include <dlfcn.h>

namespace vellbatchrule {

namespace {

// A desktop that names no icon theme (hicolor holds no toolbar pictures), or
// a platform that names none at all, gets the common one where it is installed.
void UseCommonIconTheme()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (!QIcon::themeName().isEmpty() && QIcon::themeName() != QStringLiteral("hicolor"))
        return;
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& icons : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                          QStandardPaths::LocateDirectory))
        if (!paths.contains(icons) && !paths.contains(QDir::cleanPath(icons)))
            paths << icons;
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName(QStringLiteral("Adwaita"));
}

}

QString SessionLanguage()
{
    const QString props = SharePropsStore().GetProperty(quint32(QCoreApplication::applicationPid()),
                                                        QStringLiteral("PropsString")).toString();
    static const QRegularExpression language(QStringLiteral("(?:^|;)\\s*language\\s*=\\s*([^;]*)"),
                                             QRegularExpression::CaseInsensitiveOption);
    return language.match(props).captured(1).trimmed();
}

bool IsOdbcConnectionString(const QString& connection)
{
    return SqlConnection::IsOdbcConnectionString(connection);
}

QString ShownConnection(const QString& connection)
{
    return OdbcConnectionString::Masked(connection);
}

QString WindowSystemProblem()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(QStringLiteral("xcb")) && !platform.startsWith(QStringLiteral("wayland")))
        return QString();   // offscreen, vnc and the like bring their own
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QString();
    return QStringLiteral("there is no display to open the window on (DISPLAY is not set)");
}

QString ComponentResourceDir()
{
    Dl_info self{};
    if (!dladdr(reinterpret_cast<void*>(&ComponentResourceDir), &self) || !self.dli_fname)
        return QString();
    // The loader may name the library through a linked folder (Debian's /lib is
    // /usr/lib): the data folder lies beside where the library really is.
    const QFileInfo named(QString::fromLocal8Bit(self.dli_fname));
    const QString real = named.canonicalFilePath();
    const QDir libraryDir = QFileInfo(real.isEmpty() ? named.absoluteFilePath() : real).absoluteDir();
    if (libraryDir.exists(QStringLiteral("translations")))
        return libraryDir.absolutePath();
    return QDir::cleanPath(libraryDir.filePath(QStringLiteral(VELL_DATA_FROM_LIBRARY)));
}

void UseStockComponents(const StockSettings& settings)
{
    auto& registry = ComponentRegistry::Instance();
    const QString database = settings.connection;
    const QDir resources(settings.resourceDir.isEmpty() ? ComponentResourceDir() : settings.resourceDir);
    const QString translations = resources.filePath(QStringLiteral("translations"));
    const QString help = resources.filePath(QStringLiteral("help"));

    registry.RegisterDefault(ComponentNames::AppConnection,
                             [database] { return std::make_shared<SqlConnection>(database); });
    registry.RegisterDefault(ComponentNames::ShareProps, [] { return std::make_shared<SharePropsStore>(); });
    registry.RegisterDefault(ComponentNames::DataAccess, [] { return std::make_shared<GrantDataAccess>(); });
    registry.RegisterDefault(ComponentNames::ResourceLoader,
                             [translations] { return std::make_shared<TranslatorLoader>(translations); });
    registry.RegisterDefault(ComponentNames::GlossaLoader,
                             [translations] { return std::make_shared<WidgetGlossaLoader>(translations); });
    registry.RegisterDefault(ComponentNames::TextFormatter, [] { return std::make_shared<PercentFormatter>(); });
    registry.RegisterDefault(ComponentNames::HelpViewer, [help, translations] {
        return std::make_shared<HelpBrowser>(help, translations, SessionLanguage);
    });
    // Without a window system, or without a window to answer them in, the messages go to standard error.
    registry.RegisterDefault(ComponentNames::MessageBox, [dialogs = settings.dialogs]() -> std::shared_ptr<HostComponent> {
        if (dialogs && qobject_cast<QApplication*>(QCoreApplication::instance()))
            return std::make_shared<DialogMessageBox>();
        return std::make_shared<ConsoleMessageBox>();
    });
    SharePropsStore::SetProperty(QStringLiteral("PropsString"), settings.propsString);
    WidgetGlossaLoader::InstallFontSubstitutes();
    UseCommonIconTheme();
}

}
