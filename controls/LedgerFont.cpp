#include "LedgerFont.h"

#include "FontCharsets.h"

#include <QFontDatabase>
#include <QHash>
#include <QRawFont>
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

// Whether the family maps the ledger's characters back to themselves: no
// character below them shares their glyph. Probed once per family.
bool KeepsItsText(const QString& family)
{
    static QHash<QString, bool> known;
    if (const auto found = known.constFind(family); found != known.cend())
        return *found;
    const QRawFont raw = QRawFont::fromFont(QFont(family));
    const auto glyphOf = [&raw](char32_t character) {
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString::fromUcs4(&character, 1));
        return glyphs.value(0);
    };
    // Digits, letters and the ideographs whose radicals or strokes share a glyph in some fonts.
    static const QString probes = QStringLiteral("0123456789AZaz%.-[]+一二人工日月水页龙");
    QHash<quint32, char32_t> probed;
    for (const QChar probe : probes)
        if (const quint32 glyph = glyphOf(probe.unicode()))
            probed.insert(glyph, probe.unicode());
    bool keeps = raw.isValid() && !probed.isEmpty();
    for (char32_t below = 0; keeps && below < 0x4e00; ++below) {
        const auto owner = probed.constFind(glyphOf(below));
        keeps = owner == probed.cend() || *owner <= below;
    }
    known.insert(family, keeps);
    return keeps;
}

// The first installed family of the writing system that keeps its text, a sans one where there is one.
QString KeeperOf(QFontDatabase::WritingSystem system)
{
    QString keeper;
    for (const QString& family : QFontDatabase::families(system)) {
        if (QFontDatabase::isPrivateFamily(family) || !KeepsItsText(family))
            continue;
        if (family.contains(QLatin1String("Sans")))
            return family;
        if (keeper.isEmpty())
            keeper = family;
    }
    return keeper;
}

}

QFont PrintableFont(const QFont& font)
{
    static const QStringList keepers = [] {
        QStringList found;
        for (const auto system : {QFontDatabase::Latin, QFontDatabase::SimplifiedChinese, QFontDatabase::TraditionalChinese})
            if (const QString keeper = KeeperOf(system); !keeper.isEmpty() && !found.contains(keeper))
                found << keeper;
        return found;
    }();
    QStringList first, rest;
    for (const QString& family : font.families())
        (QFontDatabase::hasFamily(family) && KeepsItsText(family) ? first : rest) << family;
    QFont printable = font;
    printable.setFamilies(first + keepers + rest);
    return printable;
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
