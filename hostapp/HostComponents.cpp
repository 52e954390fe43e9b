#include "HostComponents.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "ConsoleMessageBox.h"
#include "DemoDatabase.h"
#include "DialogMessageBox.h"
#include "GrantDataAccess.h"
#include "HelpBrowser.h"
#include "PercentFormatter.h"
#include "SharePropsStore.h"
#include "SqlConnection.h"
#include "TranslatorLoader.h"
#include "WidgetGlossaLoader.h"

#include <QApplication>
#include <QDir>
#include <QRegularExpression>

namespace vellbatchrule {

QString DefaultPropsString()
{
    return QStringLiteral("UserID=%1;UserName=administrator;LANGUAGE=chs;SUBID=IC;AcctName={演示账套;2026}")
        .arg(DemoDatabase::AdministratorUserID);
}

QString SessionLanguage()
{
    const QString props = SharePropsStore().GetProperty(quint32(QCoreApplication::applicationPid()),
                                                        QStringLiteral("PropsString")).toString();
    static const QRegularExpression language(QStringLiteral("(?:^|;)\\s*language\\s*=\\s*([^;]*)"),
                                             QRegularExpression::CaseInsensitiveOption);
    return language.match(props).captured(1).trimmed();
}

void RegisterHostComponents(const HostSettings& settings)
{
    auto& registry = ComponentRegistry::Instance();
    const QString database = settings.database;
    const QDir resources(settings.resourceDir.isEmpty() ? QCoreApplication::applicationDirPath() : settings.resourceDir);
    const QString translations = resources.filePath(QStringLiteral("translations"));
    const QString help = resources.filePath(QStringLiteral("help"));

    registry.Register(ComponentNames::AppConnection, [database] { return std::make_shared<SqlConnection>(database); });
    registry.Register(ComponentNames::ShareProps, [] { return std::make_shared<SharePropsStore>(); });
    registry.Register(ComponentNames::DataAccess, [database] { return std::make_shared<GrantDataAccess>(database); });
    registry.Register(ComponentNames::ResourceLoader,
                      [translations] { return std::make_shared<TranslatorLoader>(translations); });
    registry.Register(ComponentNames::GlossaLoader,
                      [translations] { return std::make_shared<WidgetGlossaLoader>(translations); });
    registry.Register(ComponentNames::TextFormatter, [] { return std::make_shared<PercentFormatter>(); });
    registry.Register(ComponentNames::HelpViewer, [help, translations] {
        return std::make_shared<HelpBrowser>(help, translations, SessionLanguage);
    });
    // Without a window system, or without a window to answer them in, the messages go to standard error.
    registry.Register(ComponentNames::MessageBox, [dialogs = settings.dialogs]() -> std::shared_ptr<HostComponent> {
        if (dialogs && qobject_cast<QApplication*>(QCoreApplication::instance()))
            return std::make_shared<DialogMessageBox>();
        return std::make_shared<ConsoleMessageBox>();
    });
    SharePropsStore::SetProperty(QStringLiteral("PropsString"), settings.propsString);
    WidgetGlossaLoader::InstallFontSubstitutes();
}

}
