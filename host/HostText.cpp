#include "HostText.h"

#include "HostError.h"
#include "HostErrors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vellbatchrule {

namespace HostText {

QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

qint32 ToLong(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw HostError(HostErrors::TypeMismatch, QStringLiteral("Type mismatch: '%1' is not a number").arg(text),
                        QStringLiteral("HostText"));
    return RoundToLong(value);
}

double Val(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    const qsizetype digits = i;
    constexpr qsizetype kExactDigits = 18;   // a whole number of these many fits a qint64
    qint64 whole = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i)
        if (i - digits < kExactDigits)
            whole = whole * 10 + (text[i].unicode() - '0');
    // Whole numbers, a serial's value among them, need no parse of a decimal text.
    if ((i == text.size() || text[i] != QLatin1Char('.')) && i - digits <= kExactDigits)
        return start < text.size() && text[start] == QLatin1Char('-') ? -double(whole) : double(whole);
    if (i < text.size() && text[i] == QLatin1Char('.'))
        for (++i; i < text.size() && text[i].isDigit() && text[i].unicode() < 128;)
            ++i;
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}

qint32 RoundToLong(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<qint32>::min()
        || rounded > std::numeric_limits<qint32>::max())
        throw HostError(HostErrors::Overflow, QStringLiteral("Overflow: %1").arg(value), QStringLiteral("HostText"));
    return static_cast<qint32>(rounded);
}

QString SqlLiteral(const QString& text)
{
    // Without N, SQL Server turns the literal into the database's code page first: what that page lacks becomes '?'.
    const bool unicode = std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x7f; });
    return (unicode ? QStringLiteral("N'") : QStringLiteral("'")) + QString(text).replace(QLatin1Char('\''), QStringLiteral("''"))
           + QLatin1Char('\'');
}

QString SqlLiterals(const QStringList& texts)
{
    QStringList literals;
    literals.reserve(texts.size());
    for (const QString& text : texts)
        literals << SqlLiteral(text);
    return literals.join(QLatin1Char(','));
}

bool IsControlCharacter(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

bool HasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), IsControlCharacter);
}

QString Excerpt(const QString& text, qsizetype maxLength)
{
    QString shown = text;
    if (text.size() > maxLength) {
        const qsizetype cut = text[maxLength - 1].isHighSurrogate() ? maxLength - 1 : maxLength;
        shown = text.left(cut) + QChar(0x2026);
    }
    for (QChar& c : shown)
        if (IsControlCharacter(c))
            c = QChar(c.unicode() == 0x7f ? 0x2421 : 0x2400 + c.unicode());   // the Control Pictures block
    return shown;
}

QString LikeEscaped(const QString& text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('['))
            escaped += QLatin1Char('[') + c + QLatin1Char(']');
        else
            escaped += c;
    }
    return escaped;
}

}

}
