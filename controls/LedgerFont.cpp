#include "LedgerFont.h"

#include "FontCharsets.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

namespace vellbatchrule {

namespace {

QFontDatabase::WritingSystem WritingSystemOf(qint32 charset)
{
    switch (charset) {
    case FontCharsets::Gb2312:
        return QFontDatabase::SimplifiedChinese;
    case FontCharsets::Big5:
        return QFontDatabase::TraditionalChinese;
    case FontCharsets::ShiftJis:
        return QFontDatabase::Japanese;
    case FontCharsets::Hangul:
        return QFontDatabase::Korean;
    default:
        return QFontDatabase::Latin;
    }
}

}

QFont LedgerFont(const LedgerPrinter::Font& font)
{
    QStringList families{font.name};
    const QFontDatabase::WritingSystem system = WritingSystemOf(font.charset);
    const QStringList installed = QFontDatabase::families(system);
    if (!QFontDatabase::hasFamily(font.name) && !installed.isEmpty()) {
        // Prefer a sans family: it reads best at the ledger's small sizes.
        const auto sans = std::find_if(installed.begin(), installed.end(),
                                       [](const QString& family) { return family.contains(QLatin1String("Sans")); });
        families.append(sans != installed.end() ? *sans : installed.first());
    }
    QFont qfont;
    qfont.setFamilies(families);
    qfont.setPointSizeF(font.size > 0 ? font.size : 9);
    qfont.setBold(font.bold);
    qfont.setUnderline(font.underline);
    return qfont;
}

}
