#include "MParse.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "HostText.h"
#include "Ledger.h"
#include "MMTS.h"
#include "ModuleState.h"
#include "NumerusLoader.h"

#include <QStringList>

namespace vellbatchrule {

namespace MParse {

namespace {

const QString kCompositeSeparator = QStringLiteral("^|^");
const QString kTranslateMarker = QStringLiteral("~$~");

template <typename T>
std::shared_ptr<T> Create(const QString& name)
{
    return ComponentRegistry::Instance().Create<T>(name);
}

}

QString LanguageCode(const QString& key)
{
    auto& state = CurrentModuleState();
    if (state.languageCode.isEmpty())
        state.languageCode = MMTS::FindPropValue(key);
    return state.languageCode;
}

bool IsSimplifiedChinese(const QString& languageCode)
{
    return languageCode.compare(QStringLiteral("chs"), Qt::CaseInsensitive) == 0;
}

namespace {

// The session's string loader, set to the component's texts in the session's language.
ResourceLoader& Loader()
{
    auto& state = CurrentModuleState();
    const QString code = LanguageCode();
    if (!state.resourceLoader)
        state.resourceLoader = Create<ResourceLoader>(ComponentNames::ResourceLoader);
    state.resourceLoader->SetResFileBaseName(ResourceKey);
    state.resourceLoader->SetLanguageID(code);
    return *state.resourceLoader;
}

// A format's values as the texts that fill it: nothing for a null value.
QStringList Texts(const QVariantList& values)
{
    QStringList texts;
    for (const QVariant& value : values)
        texts.append(value.isNull() ? QString() : value.toString());
    return texts;
}

}

QString TranslateText(const QString& text)
{
    QString result = text;
    try {
        ResourceLoader& loader = Loader();
        result = HostText::TrimBlanks(text);
        if (result.contains(kCompositeSeparator))
            return TranslateComposite(result);
        return result.isEmpty() ? QString() : loader.LoadString(result);
    } catch (...) {
        return result;
    }
}

QString TranslateCount(const char* text, const char*, int count, const QVariantList& values)
{
    QString translated = QString::fromUtf8(text);
    try {
        ResourceLoader& loader = Loader();
        auto* numerus = dynamic_cast<NumerusLoader*>(&loader);
        translated = numerus ? numerus->LoadCountedString(translated, count) : loader.LoadString(translated);
    } catch (...) {
    }
    translated.replace(QStringLiteral("%n"), QString::number(count));
    return values.isEmpty() ? translated : FormatTranslated(translated, Texts(values));
}

QString TranslateComposite(const QString& text)
{
    QString result;
    for (const QString& segment : text.split(kCompositeSeparator))
        result += segment.startsWith(kTranslateMarker) ? TranslateText(segment.mid(kTranslateMarker.size())) : segment;
    return result;
}

QString TranslateText(const char* text)
{
    return TranslateText(QString::fromUtf8(text));
}

QString TranslateFormat(const char* pattern, const QVariantList& values)
{
    return TranslateFormat(QString::fromUtf8(pattern), values);
}

QString TranslateFormat(const QString& pattern, const QVariantList& values)
{
    return FormatTranslated(TranslateText(pattern), Texts(values));
}

QString FormatTranslated(const QString& translated, const QStringList& values)
{
    try {
        auto& state = CurrentModuleState();
        if (!state.textFormatter)
            state.textFormatter = Create<TextFormatter>(ComponentNames::TextFormatter);
        return state.textFormatter->Format(translated, values);
    } catch (...) {
        return translated;
    }
}

void LoadFormResources(QObject* window, std::optional<ValueBag>& options, const QString& resourceKey)
{
    // A code read here is not kept: the windows keep asking until the session names one.
    QString code = CurrentModuleState().languageCode;
    if (code.isEmpty())
        code = MMTS::FindPropValue(QStringLiteral("LANGUAGE"));
    if (IsSimplifiedChinese(code))
        return;   // the windows are designed in Simplified Chinese
    auto loader = Create<GlossaLoader>(ComponentNames::GlossaLoader);
    if (!options) {
        options.emplace();
        options->Set(QStringLiteral("NeedMLColumnHeaders"), true);
    }
    loader->LoadGlossaStrings(window, code, QString(), resourceKey, *options);
}

void SetFormFont(QObject* window)
{
    auto& state = CurrentModuleState();
    const QString code = LanguageCode(QStringLiteral("Language"));
    if (!state.formLoader)
        state.formLoader = Create<GlossaLoader>(ComponentNames::GlossaLoader);
    state.formLoader->SetFrmFont(window, code);
}

ValueBag GetFontProps()
{
    const QString code = LanguageCode();
    return Create<GlossaLoader>(ComponentNames::GlossaLoader)->GetVellFontProps(code);
}

void SetLedgerPrintFonts(Ledger& ledger)
{
    const ValueBag props = GetFontProps();
    for (int line = 0; line < LedgerPrinter::LineCount; ++line)
        for (LedgerPrinter::Line* entry : {&ledger.Printer().Header(line), &ledger.Printer().Footer(line)}) {
            entry->font.name = props.Get(QStringLiteral("Font.Name"), DefaultFontName).toString();
            entry->font.charset = props.Get(QStringLiteral("Font.Charset"), DefaultFontCharset).toInt();
        }
}

}

}
