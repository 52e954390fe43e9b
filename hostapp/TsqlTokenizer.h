#pragma once

#include <QList>
#include <QString>

// One lexical piece of a Transact-SQL batch. Joining the texts of all tokens
// gives the batch back unchanged.
struct TsqlToken {
    enum class Kind { Word, String, QuotedName, Number, Symbol, Space, Comment };
    Kind kind;
    QString text;
    int line;   // 1-based, for messages

    bool IsSignificant() const { return kind != Kind::Space && kind != Kind::Comment; }
    bool IsWord(const char* upper) const;
    bool IsSymbol(char symbol) const { return kind == Kind::Symbol && text.size() == 1 && text[0] == QLatin1Char(symbol); }
};

// Splits a batch into tokens: quotes, [names], comments, words, numbers.
// An unterminated quote or comment throws HostError.
QList<TsqlToken> TokenizeTsql(const QString& batch);
