#include "TsqlBridge.h"

#include "HostError.h"
#include "TsqlTokenizer.h"

#include <QSet>

namespace {

using Kind = TsqlToken::Kind;
using Tokens = QList<TsqlToken>;

const QString kSource = QStringLiteral("VellConnection.AppConnection");

[[noreturn]] void Unknown(const QString& what, int line)
{
    throw HostError(156, QStringLiteral("The SQLite bridge does not know %1 (line %2)").arg(what).arg(line), kSource);
}

const QSet<QString>& StatementStarters()
{
    static const QSet<QString> words{
        "SELECT", "INSERT", "UPDATE", "DELETE", "DROP", "CREATE", "IF", "BEGIN", "END", "ELSE",
        // Known only so that they are refused as statements of their own:
        "SET", "DECLARE", "EXEC", "EXECUTE", "WHILE", "PRINT", "GO", "TRUNCATE", "MERGE",
        "WITH", "RETURN", "ALTER", "USE", "RAISERROR", "GOTO", "COMMIT", "ROLLBACK"};
    return words;
}

const QSet<QString>& UnknownWords()
{
    static const QSet<QString> words{"TOP", "PIVOT", "UNPIVOT", "OUTPUT", "APPLY", "NOLOCK",
                                     "OPENQUERY", "OPENROWSET", "TRAN", "TRANSACTION"};
    return words;
}

struct Statement {
    QString head;   // the leading keyword, upper case
    Tokens tokens;
    int line = 1;
    bool hasRows = false;   // an INSERT that has met its VALUES or SELECT

    Tokens Significant() const
    {
        Tokens out;
        for (const auto& t : tokens)
            if (t.IsSignificant())
                out.append(t);
        return out;
    }
};

bool StartsStatement(const QString& word, const Statement& current, const TsqlToken* previous, int caseDepth)
{
    if (!StatementStarters().contains(word))
        return false;
    if (current.head.isEmpty())
        return true;
    if (caseDepth > 0 && (word == "ELSE" || word == "END"))
        return false;
    if (word == "SELECT") {
        if (previous && (previous->IsWord("UNION") || previous->IsWord("ALL") || previous->IsWord("EXCEPT")
                         || previous->IsWord("INTERSECT")))
            return false;
        if (current.head == "INSERT")
            return current.hasRows;
        if (current.head == "CREATE")
            return !(previous && previous->IsWord("AS"));
    }
    if (word == "SET" && current.head == "UPDATE")
        return false;
    return true;
}

// Cuts the batch into statements at leading keywords outside parentheses.
QList<Statement> SplitStatements(const Tokens& tokens)
{
    QList<Statement> statements;
    Statement current;
    const TsqlToken* previous = nullptr;
    int depth = 0;
    int caseDepth = 0;
    auto close = [&] {
        if (!current.head.isEmpty())
            statements.append(current);
        else if (!current.tokens.isEmpty() && !statements.isEmpty())
            statements.last().tokens += current.tokens;
        current = Statement();
        caseDepth = 0;
    };
    for (const auto& token : tokens) {
        if (token.IsSignificant() && depth == 0) {
            if (token.IsSymbol(';')) {
                close();
                previous = nullptr;
                continue;
            }
            if (token.kind == Kind::Word) {
                const QString& word = token.upper;
                if (word == "CASE") {
                    ++caseDepth;
                } else if (StartsStatement(word, current, previous, caseDepth)) {
                    close();
                    current.head = word;
                    current.line = token.line;
                } else if (word == "END" && caseDepth > 0) {
                    --caseDepth;
                }
                if (current.head == "INSERT" && (word == "VALUES" || word == "SELECT"))
                    current.hasRows = true;
            }
            if (current.head.isEmpty())
                Unknown(QStringLiteral("the statement beginning with '%1'").arg(token.text), token.line);
        }
        if (token.IsSymbol('('))
            ++depth;
        else if (token.IsSymbol(')'))
            --depth;
        if (token.IsSignificant())
            previous = &token;
        current.tokens.append(token);
    }
    close();
    return statements;
}

QString Join(const Tokens& tokens, qsizetype from = 0, qsizetype to = -1)
{
    QString text;
    if (to < 0)
        to = tokens.size();
    for (qsizetype i = from; i < to; ++i)
        text += tokens[i].text;
    return text;
}

// A LIKE pattern with Transact-SQL's [x] escapes, as a SQLite pattern with
// ESCAPE '\'. Empty when the pattern needs no change.
QString SqlitePattern(const TsqlToken& literal)
{
    const QString body = literal.text.mid(1, literal.text.size() - 2);
    if (!body.contains(QLatin1Char('[')) && !body.contains(QLatin1Char('\\')))
        return QString();
    QString out;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == QLatin1Char('[')) {
            const qsizetype close = body.indexOf(QLatin1Char(']'), i + 2);
            if (close != i + 2)
                Unknown(QStringLiteral("the LIKE character class in %1").arg(literal.text), literal.line);
            const QChar escaped = body[i + 1];
            if (escaped == QLatin1Char('%') || escaped == QLatin1Char('_') || escaped == QLatin1Char('\\'))
                out += QLatin1Char('\\');
            out += escaped;
            i = close;
        } else if (c == QLatin1Char('\\')) {
            out += QStringLiteral("\\\\");
        } else {
            out += c;
        }
    }
    return QLatin1Char('\'') + out + QStringLiteral("' ESCAPE '\\'");
}

QString QuotedName(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// Token-level rewrites that hold in every statement.
Tokens MapTokens(const Tokens& tokens)
{
    Tokens out;
    const TsqlToken* previous = nullptr;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        TsqlToken token = tokens[i];
        if (token.kind == Kind::Word) {
            const QString& word = token.upper;
            if (token.text.startsWith(QLatin1Char('@')))
                Unknown(QStringLiteral("the variable %1").arg(token.text), token.line);
            if (UnknownWords().contains(word))
                Unknown(QStringLiteral("'%1'").arg(token.text), token.line);
            if (token.text.startsWith(QLatin1Char('#')))
                token.text = QuotedName(token.text);
            else if (word == "ISNULL")
                token.text = QStringLiteral("IFNULL");
            else if (word == "N" && i + 1 < tokens.size() && tokens[i + 1].kind == Kind::String)
                continue;   // N'…' is an ordinary text in SQLite
        } else if (token.kind == Kind::QuotedName && token.text.startsWith(QLatin1Char('['))) {
            token.text = QuotedName(token.text.mid(1, token.text.size() - 2).replace(QStringLiteral("]]"), QStringLiteral("]")));
        } else if (token.kind == Kind::String && previous && previous->IsWord("LIKE")) {
            const QString pattern = SqlitePattern(token);
            if (!pattern.isEmpty())
                token.text = pattern;
        }
        if (token.IsSignificant())
            previous = &tokens[i];
        out.append(token);
    }
    return out;
}

qsizetype NextSignificant(const Tokens& tokens, qsizetype from)
{
    while (from < tokens.size() && !tokens[from].IsSignificant())
        ++from;
    return from;
}

// The real table behind `alias` in a FROM list, or the alias itself.
QString TableOfAlias(const Tokens& fromTail, const QString& alias)
{
    const TsqlToken* beforePrevious = nullptr;
    const TsqlToken* previous = nullptr;
    for (const auto& token : fromTail) {
        if (!token.IsSignificant())
            continue;
        if (token.text.compare(alias, Qt::CaseInsensitive) == 0 && previous) {
            if (previous->IsWord("AS") && beforePrevious)
                return beforePrevious->text;
            if (previous->kind == Kind::Word || previous->kind == Kind::QuotedName)
                if (!previous->IsWord("FROM") && !previous->IsWord("JOIN"))
                    return previous->text;
        }
        beforePrevious = previous;
        previous = &token;
    }
    return alias;
}

// DELETE [FROM] target FROM list WHERE …  →  DELETE FROM table WHERE rowid IN (SELECT target.rowid FROM list WHERE …)
QString TranslateDelete(const Tokens& tokens)
{
    qsizetype at = NextSignificant(tokens, 0) + 1;   // past DELETE
    at = NextSignificant(tokens, at);
    const bool hadFrom = at < tokens.size() && tokens[at].IsWord("FROM");
    if (hadFrom)
        at = NextSignificant(tokens, at + 1);
    if (at >= tokens.size())
        Unknown(QStringLiteral("a DELETE without a table"), tokens.first().line);
    const qsizetype targetAt = at;
    const qsizetype fromAt = NextSignificant(tokens, targetAt + 1);
    if (fromAt < tokens.size() && tokens[fromAt].IsWord("FROM")) {
        const Tokens tail = tokens.mid(fromAt);
        const QString alias = tokens[targetAt].text;
        return QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT %2.rowid %3)")
            .arg(TableOfAlias(tail, alias), alias, Join(tail));
    }
    if (hadFrom)
        return Join(tokens);
    return Join(tokens, 0, targetAt) + QStringLiteral("FROM ") + Join(tokens, targetAt);
}

// SELECT … INTO target FROM …  →  CREATE [TEMP] TABLE target AS SELECT … FROM …
QString TranslateSelect(const Tokens& tokens, QStringList& tempTables)
{
    int depth = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].IsSymbol('('))
            ++depth;
        else if (tokens[i].IsSymbol(')'))
            --depth;
        else if (depth == 0 && tokens[i].IsWord("INTO")) {
            const qsizetype targetAt = NextSignificant(tokens, i + 1);
            if (targetAt >= tokens.size())
                Unknown(QStringLiteral("SELECT … INTO without a table"), tokens[i].line);
            const QString target = tokens[targetAt].text;
            const bool temporary = target.startsWith(QStringLiteral("\"#"));
            if (temporary)
                tempTables.append(target);
            return QStringLiteral("CREATE %1TABLE %2 AS ").arg(temporary ? QStringLiteral("TEMP ") : QString(), target)
                   + Join(tokens, 0, i) + Join(tokens, targetAt + 1);
        }
    }
    return Join(tokens);
}

// CREATE TABLE #x (…)  →  CREATE TEMP TABLE "#x" (…)
QString TranslateCreate(const Tokens& tokens, QStringList& tempTables)
{
    const qsizetype tableAt = NextSignificant(tokens, NextSignificant(tokens, 0) + 1);
    const qsizetype nameAt = NextSignificant(tokens, tableAt + 1);
    if (tableAt < tokens.size() && tokens[tableAt].IsWord("TABLE") && nameAt < tokens.size()
        && tokens[nameAt].text.startsWith(QStringLiteral("\"#"))) {
        tempTables.append(tokens[nameAt].text);
        return Join(tokens, 0, tableAt) + QStringLiteral("TEMP ") + Join(tokens, tableAt);
    }
    return Join(tokens);
}

class ProgramBuilder {
public:
    explicit ProgramBuilder(QList<Statement> statements) : statements_(std::move(statements)) {}

    BridgeProgram Build()
    {
        BridgeProgram program;
        program.steps = Block(false);
        program.tempTables = tempTables_;
        program.writes = writes_;
        return program;
    }

private:
    std::vector<BridgeStep> Block(bool untilEnd)
    {
        std::vector<BridgeStep> steps;
        while (at_ < statements_.size()) {
            const Statement& s = statements_[at_];
            if (s.head == "END") {
                ExpectAlone(s);
                if (!untilEnd)
                    Unknown(QStringLiteral("END without BEGIN"), s.line);
                ++at_;
                return steps;
            }
            if (s.head == "ELSE")
                Unknown(QStringLiteral("ELSE without IF"), s.line);
            for (auto& step : One())
                steps.push_back(std::move(step));
        }
        if (untilEnd)
            Unknown(QStringLiteral("BEGIN without END"), statements_.last().line);
        return steps;
    }

    // One statement, an IF with its branches, or a BEGIN … END block.
    std::vector<BridgeStep> One()
    {
        if (at_ >= statements_.size())
            Unknown(QStringLiteral("the end of the batch where a statement was expected"), statements_.last().line);
        const Statement& s = statements_[at_++];
        if (s.head == "BEGIN") {
            ExpectAlone(s);
            return Block(true);
        }
        if (s.head == "IF")
            return {Condition(s)};
        return {Simple(s)};
    }

    BridgeStep Condition(const Statement& s)
    {
        const Tokens mapped = MapTokens(s.tokens);
        const qsizetype ifAt = NextSignificant(mapped, 0);
        BridgeStep step;
        step.isCondition = true;
        step.sql = QStringLiteral("SELECT CASE WHEN %1 THEN 1 ELSE 0 END").arg(Join(mapped, ifAt + 1).trimmed());
        step.whenTrue = One();
        if (at_ < statements_.size() && statements_[at_].head == "ELSE") {
            ExpectAlone(statements_[at_]);
            ++at_;
            step.whenFalse = One();
        }
        return step;
    }

    BridgeStep Simple(const Statement& s)
    {
        static const QSet<QString> supported{"SELECT", "DELETE", "CREATE", "INSERT", "UPDATE", "DROP"};
        if (!supported.contains(s.head))
            Unknown(QStringLiteral("the statement '%1'").arg(s.head), s.line);
        const Tokens mapped = MapTokens(s.tokens);
        BridgeStep step;
        if (s.head == "SELECT") {
            step.sql = TranslateSelect(mapped, tempTables_);
            writes_ = writes_ || step.sql.startsWith(QStringLiteral("CREATE"));
        } else if (s.head == "DELETE") {
            step.sql = TranslateDelete(mapped);
        } else if (s.head == "CREATE") {
            step.sql = TranslateCreate(mapped, tempTables_);
        } else {
            step.sql = Join(mapped);
        }
        writes_ = writes_ || s.head != "SELECT";
        return step;
    }

    static void ExpectAlone(const Statement& s)
    {
        const Tokens significant = s.Significant();
        if (significant.size() > 1)
            Unknown(QStringLiteral("'%1 %2'").arg(significant[0].text, significant[1].text), s.line);
    }

    QList<Statement> statements_;
    qsizetype at_ = 0;
    QStringList tempTables_;
    bool writes_ = false;
};

}

BridgeProgram TranslateTsql(const QString& batch)
{
    QList<Statement> statements = SplitStatements(TokenizeTsql(batch));
    if (statements.isEmpty())
        return {};
    return ProgramBuilder(std::move(statements)).Build();
}
