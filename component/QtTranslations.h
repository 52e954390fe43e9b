#pragma once

#include <QString>

namespace vellbatchrule {

// Qt's own texts (a message box's buttons, the print and preview dialogs) in
// the session's language, from Qt's qtbase catalogue: one translator for the
// process, replaced when the language changes. Only a window program's
// own thread installs it.
class QtTranslations {
public:
    static void UseLanguage(const QString& languageCode);
    // The catalogue's locale: "zh_CN" for Simplified Chinese and unknown codes,
    // "zh_TW" for "cht", "" for English, which Qt speaks itself.
    static QString Locale(const QString& languageCode);
};

}
