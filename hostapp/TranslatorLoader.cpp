#include "TranslatorLoader.h"

#include <QDir>
#include <QHash>
#include <QMutex>
#include <QTranslator>

namespace {

// One translator per file for the whole process; lookups only read it.
const QTranslator* SharedTranslator(const QString& file)
{
    static QMutex mutex;
    static QHash<QString, QTranslator*> translators;
    QMutexLocker lock(&mutex);
    auto found = translators.constFind(file);
    if (found != translators.constEnd())
        return *found;
    auto* translator = new QTranslator;
    if (!translator->load(file)) {
        delete translator;
        translator = nullptr;
    }
    translators.insert(file, translator);
    return translator;
}

}

TranslatorLoader::TranslatorLoader(QString translationsDir) : dir_(std::move(translationsDir)) {}

QString TranslatorLoader::FileSuffix(const QString& languageCode)
{
    const QString code = languageCode.trimmed().toLower();
    if (code == QStringLiteral("cht"))
        return QStringLiteral("cht");
    if (code == QStringLiteral("en") || code == QStringLiteral("eng"))
        return QStringLiteral("en");
    return QString();
}

void TranslatorLoader::SetLanguageID(const QString& languageCode)
{
    if (languageCode == language_)
        return;
    language_ = languageCode;
    const QString suffix = FileSuffix(languageCode);
    translator_ = suffix.isEmpty()
                      ? nullptr
                      : SharedTranslator(QDir(dir_).filePath(QStringLiteral("vellbatchrule_%1.qm").arg(suffix)));
}

QString TranslatorLoader::LoadString(const QString& sourceText)
{
    if (!translator_)
        return sourceText;
    const QString translated = translator_->translate(context_.constData(), sourceText.toUtf8().constData());
    return translated.isEmpty() ? sourceText : translated;
}
