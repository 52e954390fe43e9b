#pragma once

#include <QList>
#include <QString>

// One lexical piece of a Transact-SQL batch. Joining the texts of all tokens
// gives the batch back unchanged.
struct TsqlToken {
    enum class Kind { Word, String, QuotedName, Number, Symbol, Space, Comment };
    Kind kind;
    QString text;
    int line;        // 1-based, for messages
    QString upper;   // a word's text in capitals, made once for every keyword test

    bool IsSignificant() const { return kind != Kind::Space && kind != Kind::Comment; }
    bool IsWord(const char* word) const { return kind == Kind::Word && upper == QLatin1String(word); }
    bool IsSymbol(char symbol) const { return kind == Kind::Symbol && text.size() == 1 && text[0] == QLatin1Char(symbol); }
};

// Splits a batch into tokens: quotes, [names], comments, words, numbers.
// An unterminated quote or comment throws HostError.
QList<TsqlToken> TokenizeTsql(const QString& batch);
