#include "QtTranslations.h"

#include "TranslatorLoader.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QThread>
#include <QTranslator>

#include <memory>

namespace vellbatchrule {

QString QtTranslations::Locale(const QString& languageCode)
{
    const QString suffix = TranslatorLoader::FileSuffix(languageCode);
    if (suffix == QStringLiteral("en"))
        return QString();
    return suffix == QStringLiteral("cht") ? QStringLiteral("zh_TW") : QStringLiteral("zh_CN");
}

void QtTranslations::UseLanguage(const QString& languageCode)
{
    // Only windows show Qt's texts; a command's messages keep one language.
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!application || QThread::currentThread() != application->thread())
        return;
    static std::unique_ptr<QTranslator> installed;
    static QString installedLocale;
    const QString locale = Locale(languageCode);
    if (installed ? locale == installedLocale : locale.isEmpty())
        return;
    installed.reset();   // removes itself from the application
    installedLocale = locale;
    auto translator = std::make_unique<QTranslator>();
    if (!locale.isEmpty()
        && translator->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        application->installTranslator(translator.get());
        installed = std::move(translator);
    }
}

}
