#pragma once

#include <QString>
#include <QStringList>

namespace vellbatchrule {

// The host platform's text rules, kept in one place: blanks are the space
// character only; numbers convert as the platform converted them.
namespace HostText {

// Removes leading and trailing spaces; tabs and line breaks stay.
QString TrimBlanks(const QString& text);

// A decimal text as a 32-bit whole number, halves rounded to the even
// neighbour; surrounding white space is allowed. Anything else throws
// HostError (13 type mismatch, 6 overflow).
qint32 ToLong(const QString& text);

// The leading numeric part of a text ("12ab" gives 12, "" and "ab" give 0),
// as a cell's numeric value is read.
double Val(const QString& text);

// A number rounded to a whole number, halves to the even neighbour.
qint32 RoundToLong(double value);

// A text value as a Transact-SQL literal: quoted, any apostrophe doubled, so
// no value can end its literal early; N'…' when it holds any character
// outside ASCII, so that SQL Server keeps it whole whatever the database's
// code page.
QString SqlLiteral(const QString& text);
// Each text so, joined by commas: the list of an IN (…).
QString SqlLiterals(const QStringList& texts);

// A control character (U+0000 to U+001F, U+007F): a line break, a tab, an
// escape, none of which a batch number can carry.
bool IsControlCharacter(QChar c);
bool HasControlCharacter(const QString& text);

// A text as a message quotes it: at most `maxLength` characters with "…"
// after a cut, control characters shown as their visible symbols.
QString Excerpt(const QString& text, qsizetype maxLength = 40);

// A text to stand for itself inside a LIKE pattern: the wildcards %, _ and [
// in the bracket form, e.g. "5%" gives "5[%]".
QString LikeEscaped(const QString& text);

}

}
