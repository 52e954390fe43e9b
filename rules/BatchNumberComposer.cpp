#include "BatchNumberComposer.h"

#include "HostText.h"
#include "PropertyCatalogue.h"

#include <algorithm>
#include <limits>

namespace vellbatchrule {

namespace {

bool IsNumberKind(PropertyKind kind)
{
    return kind == PropertyKind::Serial || kind == PropertyKind::LineNumber;
}

// What no batch number can carry: quotes and control characters.
QString Carriable(const QString& value)
{
    QString kept;
    kept.reserve(value.size());
    for (const QChar c : value)
        if (c != QLatin1Char('\'') && c != QLatin1Char('"') && !HostText::IsControlCharacter(c))
            kept += c;
    return kept;
}

// A pad or substitute character: one UTF-16 unit, as the editor's cell takes it.
QChar FirstOf(const QString& text)
{
    const QString carried = Carriable(HostText::TrimBlanks(text));
    return carried.isEmpty() || carried.front().isSurrogate() ? QChar() : carried.front();
}

QString Fit(const QString& value, int length, QChar pad, bool number)
{
    if (length <= 0)
        return value;
    QString kept = value;
    if (value.size() > length) {
        kept = number ? value.right(length) : value.left(length);
        // A character of two UTF-16 units stays whole or goes: half of one is no character.
        if (number && kept.front().isLowSurrogate())
            kept.remove(0, 1);
        else if (!number && kept.back().isHighSurrogate())
            kept.chop(1);
        if (kept.size() == length)
            return kept;
    }
    if (number && pad.isNull())
        pad = QLatin1Char('0');
    if (pad.isNull())
        return kept;
    const QString filling(length - kept.size(), pad);
    return number ? filling + kept : kept + filling;
}

QString LineText(int line, const QString& format)
{
    const qsizetype zeros = format.count(QLatin1Char('0'));
    return QStringLiteral("%1").arg(line, int(zeros), 10, QLatin1Char('0'));
}

QString SerialText(const QString& startValue)
{
    return QString::number(BatchNumberComposer::SerialStart(startValue));
}

// The document's own value of the element, or null when it has none.
QString DocumentValue(const BatRuleStruct& element, const BatchDocument& document)
{
    switch (KindOf(element.FPropertyID)) {
    case PropertyKind::BaseData: {
        const QString code = document.values.value(element.FPropertyID);
        return element.FUseShortNumber == 1 ? BatchNumberComposer::ShortCode(code) : code;
    }
    case PropertyKind::DocumentNumber:
        return document.values.value(element.FPropertyID);
    case PropertyKind::Date:
        return BatchNumberComposer::DateText(document.date, element.FFormatDate);
    case PropertyKind::LineNumber:
        return LineText(document.line, element.FFormatDate);
    case PropertyKind::Custom:
        return element.FSelDefine;
    case PropertyKind::Serial:
        return SerialText(element.FSelDefine);
    }
    return QString();
}

}

QString BatchNumberComposer::ElementText(const BatRuleStruct& element, const BatchDocument& document)
{
    const PropertyKind kind = KindOf(element.FPropertyID);
    const QString value = Carriable(DocumentValue(element, document));
    if (value.isEmpty()) {
        const QChar substitute = FirstOf(element.FSubCharacter);
        if (substitute.isNull())
            return QString();
        return QString(std::max(element.FWidth, 1), substitute);
    }
    return Fit(value, element.FWidth, FirstOf(element.FCharacter), IsNumberKind(kind));
}

qint64 BatchNumberComposer::SerialStart(const QString& format)
{
    // A stored format may hold more digits than any serial: it counts from the largest start there is.
    constexpr double kBeyond = 0x1p63;
    const double value = std::max(0.0, HostText::Val(format));
    return value >= kBeyond ? std::numeric_limits<qint64>::max() : qint64(value);
}

QString BatchNumberComposer::Compose(QList<BatRuleStruct> elements, const BatchDocument& document)
{
    std::stable_sort(elements.begin(), elements.end(), [](const auto& a, const auto& b) { return a.FID < b.FID; });
    QString number;
    for (const BatRuleStruct& element : elements)
        number += ElementText(element, document);
    return number;
}

QString BatchNumberComposer::DateText(const QDate& date, const QString& format)
{
    auto two = [](int value) { return QStringLiteral("%1").arg(value % 100, 2, 10, QLatin1Char('0')); };
    QString text;
    for (qsizetype i = 0; i < format.size();) {
        const QStringView rest = QStringView(format).mid(i);
        if (rest.startsWith(u"yyyy", Qt::CaseInsensitive)) {
            text += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
            i += 4;
        } else if (rest.startsWith(u"yy", Qt::CaseInsensitive)) {
            text += two(date.year());
            i += 2;
        } else if (rest.startsWith(u"mm", Qt::CaseInsensitive)) {
            text += two(date.month());
            i += 2;
        } else if (rest.startsWith(u"dd", Qt::CaseInsensitive)) {
            text += two(date.day());
            i += 2;
        } else {
            text += format[i++];
        }
    }
    return text;
}

QString BatchNumberComposer::ShortCode(const QString& longCode)
{
    return longCode.mid(longCode.lastIndexOf(QLatin1Char('.')) + 1);
}

BatchDocument BatchNumberComposer::SampleDocument(const QString& materialNumber)
{
    BatchDocument document;
    document.date = QDate::currentDate();
    document.line = 1;
    document.values = {
        {1, QStringLiteral("01.0001")}, {2, QStringLiteral("01.02")},   {3, QStringLiteral("003")},
        {4, QStringLiteral("01.001")},  {5, QStringLiteral("01")},      {8, QStringLiteral("02.0012")},
        {20, QStringLiteral("RK000123")}, {21, QStringLiteral("CG000045")}, {PropertyIds::ProjectNumber, QStringLiteral("XM001")},
    };
    if (!materialNumber.isEmpty())
        document.values[PropertyIds::MaterialCode] = materialNumber;
    return document;
}

}
