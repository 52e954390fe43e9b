#pragma once

#include <QList>
#include <QString>

namespace vellbatchrule {

// One lexical piece of a Transact-SQL batch, seen in the batch itself until
// it is rewritten. Joining the texts of all tokens gives the batch back.
struct TsqlToken {
    enum class Kind { Word, String, QuotedName, Number, Symbol, Space, Comment };
    Kind kind;
    QStringView source;   // into the batch, which outlives its tokens
    int line;             // 1-based, for messages
    QString rewritten;    // the token's new text, once it has one
    int literal = 0;      // the literal's number when it became a parameter

    QStringView Text() const { return rewritten.isNull() ? source : QStringView(rewritten); }
    void Rewrite(QString text) { rewritten = std::move(text); }

    bool IsSignificant() const { return kind != Kind::Space && kind != Kind::Comment; }
    bool IsWord(const char* word) const
    {
        return kind == Kind::Word && source.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool IsSymbol(char symbol) const
    {
        return kind == Kind::Symbol && source.size() == 1 && source[0] == QLatin1Char(symbol);
    }
};

// Reads a batch token by token: quotes, [names], comments, words, numbers.
// An unterminated quote or comment throws HostError. The tokens look into
// the batch: it must outlive them.
class TsqlTokenizer {
public:
    explicit TsqlTokenizer(const QString& batch) : s_(batch) {}

    // The next token, or false at the end of the batch.
    bool Next(TsqlToken& token);

private:
    const QString& s_;
    qsizetype at_ = 0;
    int line_ = 1;
};

// Every token of a batch.
QList<TsqlToken> TokenizeTsql(const QString& batch);

}
