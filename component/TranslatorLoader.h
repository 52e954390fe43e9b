#pragma once

#include "NumerusLoader.h"
#include "ResourceLoader.h"

#include <QString>
#include <optional>

class QTranslator;

namespace vellbatchrule {

// The host's string loader over Qt's translator: `<dir>/vellbatchrule_<lang>.qm`,
// the resource base name as the context, the Simplified-Chinese text as the key.
class TranslatorLoader : public ResourceLoader, public NumerusLoader {
public:
    explicit TranslatorLoader(QString translationsDir);

    void SetResFileBaseName(const QString& baseName) override { context_ = baseName.toUtf8(); }
    void SetLanguageID(const QString& languageCode) override;
    QString LoadString(const QString& sourceText) override;
    QString LoadCountedString(const QString& sourceText, int count) override;

    // "cht" and "en" have files; Simplified Chinese and unknown codes give "".
    static QString FileSuffix(const QString& languageCode);

private:
    QString dir_;
    QByteArray context_;
    std::optional<QString> language_;   // none until a language is set
    const QTranslator* translator_ = nullptr;   // shared by the process
};

}
