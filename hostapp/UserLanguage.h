#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace vellbatchrule {

// The session's language as the user's other programs choose theirs: from
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG, in gettext's order.
namespace UserLanguage {

// chs for zh_CN and the C locale, cht for zh_TW, zh_HK and zh_MO, en otherwise.
QString Of(const QProcessEnvironment& environment);

// The property string with LANGUAGE=… added when it names no language.
QString Completed(const QString& propsString, const QProcessEnvironment& environment);

}

}
