#pragma once

#include "ValueBag.h"

#include <QString>
#include <QVariantList>
#include <optional>

class QObject;

// The component's language resources: every display text and window font
// passes through here. Texts are written in Simplified Chinese and are their
// own keys.
namespace MParse {

inline const QString ResourceKey = QStringLiteral("VEZAROZIVADA");

// Never fails: falls back to the text it was given.
QString TranslateText(const QString& text);
// "a^|^~$~b": segments marked "~$~" are translated, the others kept.
QString TranslateComposite(const QString& text);
// Translates the template, then fills "%1", "%2", … with the values; never fails.
QString TranslateFormat(const QString& pattern, const QVariantList& values);

// These pass a missing component or a failing call to the caller.
void LoadFormResources(QObject* window, std::optional<ValueBag>& options, const QString& resourceKey);
void SetFormFont(QObject* window);
ValueBag GetFontProps();

// The session's language code, read while it is still unknown.
QString LanguageCode(const QString& key = QStringLiteral("LANGUAGE"));
bool IsSimplifiedChinese(const QString& languageCode);

}
