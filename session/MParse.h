#pragma once

#include "FontCharsets.h"
#include "ValueBag.h"

#include <QString>
#include <QVariantList>
#include <optional>

class QObject;

namespace vellbatchrule {

class Ledger;

// The component's language resources: every display text and window font
// passes through here. Texts are written in Simplified Chinese and are their
// own keys.
namespace MParse {

#ifdef Q_LUPDATE_ONLY
// lupdate reads TranslateText and TranslateFormat as tr() (see translations/),
// in the one context the string loader is asked under: it looks texts up by
// the text alone.
Q_DECLARE_TR_FUNCTIONS(VEZAROZIVADA)
#endif

inline const QString ResourceKey = QStringLiteral("VEZAROZIVADA");
// What the language's font properties answer when they name no font.
inline const QString DefaultFontName = QStringLiteral("宋体");
inline constexpr qint16 DefaultFontCharset = FontCharsets::Gb2312;

// Never fails: falls back to the text it was given.
QString TranslateText(const QString& text);
// A text of the system's own, written where it is shown (UTF-8).
QString TranslateText(const char* text);
// "a^|^~$~b": segments marked "~$~" are translated, the others kept.
QString TranslateComposite(const QString& text);
// Translates the template, then fills "%1", "%2", … with the values; never fails.
QString TranslateFormat(const QString& pattern, const QVariantList& values);
QString TranslateFormat(const char* pattern, const QVariantList& values);
// A text with a count in it ("已将 %n 页送往 %1"), in the form the language
// gives that count ("1 page", "2 pages"), %n written as the number and %1, %2,
// … filled with the values; never fails. lupdate reads it as tr() with a
// count, so the disambiguation stands where tr() has it (nullptr).
QString TranslateCount(const char* text, const char* disambiguation, int count, const QVariantList& values = {});
// A template translated already, for a caller that fills one many times; never fails.
QString FormatTranslated(const QString& translated, const QStringList& values);

// These pass a missing component or a failing call to the caller.
void LoadFormResources(QObject* window, std::optional<ValueBag>& options, const QString& resourceKey);
void SetFormFont(QObject* window);
ValueBag GetFontProps();
// The language's font name and character set on the ten header and ten
// footer lines of the ledger's printer.
void SetLedgerPrintFonts(Ledger& ledger);

// The session's language code, read while it is still unknown.
QString LanguageCode(const QString& key = QStringLiteral("LANGUAGE"));
bool IsSimplifiedChinese(const QString& languageCode);

}

}
