#include "TsqlTokenizer.h"

#include "HostError.h"
#include "HostErrors.h"

namespace vellbatchrule {

namespace {

bool IsWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('#') || c == QLatin1Char('@');
}

bool IsWordPart(QChar c)
{
    return IsWordStart(c) || c.isDigit() || c == QLatin1Char('$');
}

[[noreturn]] void Unterminated(const char* what, int line)
{
    throw HostError(HostErrors::IncorrectSyntax,
                    QStringLiteral("Unterminated %1 starting on line %2").arg(QLatin1String(what)).arg(line),
                    QStringLiteral("VellConnection.AppConnection"));
}

// Index just past a quoted run that starts at `from` with `close`; a doubled
// closing character stands for itself.
qsizetype EndOfQuoted(const QString& s, qsizetype from, QChar close, const char* what, int line)
{
    qsizetype i = from + 1;
    for (;;) {
        if (i >= s.size())
            Unterminated(what, line);
        if (s[i] == close) {
            if (i + 1 < s.size() && s[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
}

}

bool TsqlTokenizer::Next(TsqlToken& token)
{
    using Kind = TsqlToken::Kind;
    const QString& s = s_;
    const qsizetype i = at_;
    if (i >= s.size())
        return false;
    const QChar c = s[i];
    const QChar next = i + 1 < s.size() ? s[i + 1] : QChar();
    qsizetype end = i + 1;
    Kind kind = Kind::Symbol;
    if (c.isSpace()) {
        kind = Kind::Space;
        while (end < s.size() && s[end].isSpace())
            ++end;
    } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
        kind = Kind::Comment;
        while (end < s.size() && s[end] != QLatin1Char('\n'))
            ++end;
    } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
        kind = Kind::Comment;
        end = s.indexOf(QStringLiteral("*/"), i + 2);
        if (end < 0)
            Unterminated("comment", line_);
        end += 2;
    } else if (c == QLatin1Char('\'')) {
        kind = Kind::String;
        end = EndOfQuoted(s, i, QLatin1Char('\''), "string", line_);
    } else if (c == QLatin1Char('"')) {
        kind = Kind::QuotedName;
        end = EndOfQuoted(s, i, QLatin1Char('"'), "quoted name", line_);
    } else if (c == QLatin1Char('[')) {
        kind = Kind::QuotedName;
        end = EndOfQuoted(s, i, QLatin1Char(']'), "bracketed name", line_);
    } else if (c.isDigit() || (c == QLatin1Char('.') && next.isDigit())) {
        kind = Kind::Number;
        while (end < s.size() && (s[end].isDigit() || s[end] == QLatin1Char('.')))
            ++end;
    } else if (IsWordStart(c)) {
        kind = Kind::Word;
        while (end < s.size() && IsWordPart(s[end]))
            ++end;
    } else if (QStringLiteral("<>!").contains(c) && QStringLiteral("=>").contains(next)) {
        end = i + 2;
    }
    token.kind = kind;
    token.source = QStringView(s).mid(i, end - i);
    token.line = line_;
    if (kind == Kind::Space || kind == Kind::Comment || kind == Kind::String || kind == Kind::QuotedName)
        line_ += int(token.source.count(QLatin1Char('\n')));
    at_ = end;
    return true;
}

QList<TsqlToken> TokenizeTsql(const QString& batch)
{
    QList<TsqlToken> tokens;
    tokens.reserve(batch.size() / 3);
    TsqlTokenizer tokenizer(batch);
    for (TsqlToken token{}; tokenizer.Next(token);)
        tokens.append(token);
    return tokens;
}

}
