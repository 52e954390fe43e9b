#include "UserLanguage.h"

#include <QRegularExpression>
#include <QStringList>

namespace vellbatchrule {

namespace UserLanguage {

namespace {

// "zh_TW.UTF-8@variant" → "zh_tw"
QString Bare(const QString& name)
{
    return name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0).toLower();
}

bool ChoosesNoLanguage(const QString& name)
{
    const QString locale = Bare(name);
    return locale.isEmpty() || locale == QStringLiteral("c") || locale == QStringLiteral("posix");
}

QString OfLocaleName(const QString& name)
{
    const QString locale = Bare(name);
    if (ChoosesNoLanguage(locale))
        return QStringLiteral("chs");   // no language chosen: the module's own
    if (!locale.startsWith(QStringLiteral("zh")))
        return QStringLiteral("en");
    static const QRegularExpression traditional(QStringLiteral("^zh[_-](tw|hk|mo|hant)"));
    return traditional.match(locale).hasMatch() ? QStringLiteral("cht") : QStringLiteral("chs");
}

}

QString Of(const QProcessEnvironment& environment)
{
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment.value(QLatin1String(name));
        if (!locale.isEmpty())
            break;
    }
    // LANGUAGE lists the user's languages in order, but the C locale turns translation off.
    const QString preferred = environment.value(QStringLiteral("LANGUAGE")).section(QLatin1Char(':'), 0, 0);
    return !preferred.isEmpty() && !ChoosesNoLanguage(locale) ? OfLocaleName(preferred) : OfLocaleName(locale);
}

QString Completed(const QString& propsString, const QProcessEnvironment& environment)
{
    static const QRegularExpression language(QStringLiteral("(^|;)\\s*LANGUAGE\\s*="),
                                             QRegularExpression::CaseInsensitiveOption);
    if (language.match(propsString).hasMatch())
        return propsString;
    const QString separator = propsString.isEmpty() || propsString.endsWith(QLatin1Char(';')) ? QString() : QStringLiteral(";");
    return propsString + separator + QStringLiteral("LANGUAGE=") + Of(environment);
}

}

}
