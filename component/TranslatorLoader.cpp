#include "TranslatorLoader.h"

#include "QtTranslations.h"

#include <QDir>
#include <QMutex>
#include <QTranslator>

#include <memory>
#include <unordered_map>

namespace vellbatchrule {

namespace {

// One translator per file for the whole process; lookups only read it. The
// translators end with the process's static objects.
const QTranslator* SharedTranslator(const QString& file)
{
    static QMutex mutex;
    static std::unordered_map<QString, std::unique_ptr<QTranslator>> translators;
    QMutexLocker lock(&mutex);
    if (const auto found = translators.find(file); found != translators.end())
        return found->second.get();
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file))
        translator.reset();
    return translators.emplace(file, std::move(translator)).first->second.get();
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
    if (language_ && languageCode == *language_)
        return;
    language_ = languageCode;
    QtTranslations::UseLanguage(languageCode);
    const QString suffix = FileSuffix(languageCode);
    translator_ = suffix.isEmpty()
                      ? nullptr
                      : SharedTranslator(QDir(dir_).filePath(QStringLiteral("vellbatchrule_%1.qm").arg(suffix)));
}

QString TranslatorLoader::LoadString(const QString& sourceText)
{
    return LoadCountedString(sourceText, -1);
}

QString TranslatorLoader::LoadCountedString(const QString& sourceText, int count)
{
    if (!translator_)
        return sourceText;
    const QString translated = translator_->translate(context_.constData(), sourceText.toUtf8().constData(), nullptr, count);
    return translated.isEmpty() ? sourceText : translated;
}

}
