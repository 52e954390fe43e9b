#include "TsqlBridge.h"

#include "HostError.h"
#include "HostErrors.h"
#include "TsqlShape.h"
#include "TsqlTokenizer.h"

#include <QCache>
#include <QSet>
#include <array>
#include <functional>

using namespace Qt::StringLiterals;

namespace vellbatchrule {

namespace {

using Kind = TsqlToken::Kind;
using Tokens = QList<TsqlToken>;

const QString kSource = QStringLiteral("VellConnection.AppConnection");

[[noreturn]] void Unknown(const QString& what, int line)
{
    throw HostError(HostErrors::IncorrectSyntaxNearKeyword,
                    QStringLiteral("The SQLite bridge does not know %1 (line %2)").arg(what).arg(line), kSource);
}

// The canonical spelling of a word among `words`, or null. Every word of a
// batch passes here, so length and first letter are tried first.
template <std::size_t N>
const char* Keyword(const TsqlToken& token, const std::array<QLatin1String, N>& words)
{
    if (token.kind != Kind::Word)
        return nullptr;
    const char16_t first = token.source.front().toUpper().unicode();
    for (const QLatin1String& word : words)
        if (word.size() == token.source.size() && word.front() == first
            && token.source.compare(word, Qt::CaseInsensitive) == 0)
            return word.data();
    return nullptr;
}

const char* StatementStarter(const TsqlToken& token)
{
    using L = QLatin1String;
    static const std::array words{
        L("SELECT"), L("INSERT"), L("UPDATE"), L("DELETE"), L("DROP"), L("CREATE"), L("IF"), L("BEGIN"), L("END"),
        L("ELSE"),
        // Known only so that they are refused as statements of their own:
        L("SET"), L("DECLARE"), L("EXEC"), L("EXECUTE"), L("WHILE"), L("PRINT"), L("GO"), L("TRUNCATE"), L("MERGE"),
        L("WITH"), L("RETURN"), L("ALTER"), L("USE"), L("RAISERROR"), L("GOTO"), L("COMMIT"), L("ROLLBACK")};
    return Keyword(token, words);
}

const char* UnknownWord(const TsqlToken& token)
{
    using L = QLatin1String;
    static const std::array words{L("TOP"),       L("PIVOT"),      L("UNPIVOT"), L("OUTPUT"), L("APPLY"), L("NOLOCK"),
                                  L("OPENQUERY"), L("OPENROWSET"), L("TRAN"),    L("TRANSACTION")};
    return Keyword(token, words);
}

struct Statement {
    QString head;   // the leading keyword, upper case
    Tokens tokens;
    int line = 1;
    bool hasRows = false;   // an INSERT that has met its VALUES or SELECT

    bool Is(const char* keyword) const { return head == QLatin1String(keyword); }
};

Tokens SignificantOf(const Tokens& tokens)
{
    Tokens out;
    for (const TsqlToken& token : tokens)
        if (token.IsSignificant())
            out.append(token);
    return out;
}

bool StartsStatement(const char* starter, const Statement& current, const TsqlToken* previous, int caseDepth)
{
    if (!starter)
        return false;
    const auto is = [starter](const char* keyword) { return qstrcmp(starter, keyword) == 0; };
    if (current.head.isEmpty())
        return true;
    if (caseDepth > 0 && (is("ELSE") || is("END")))
        return false;
    if (is("SELECT")) {
        if (previous && (previous->IsWord("UNION") || previous->IsWord("ALL") || previous->IsWord("EXCEPT")
                         || previous->IsWord("INTERSECT")))
            return false;
        if (current.Is("INSERT"))
            return current.hasRows;
        if (current.Is("CREATE"))
            return !(previous && previous->IsWord("AS"));
    }
    if (is("SET") && current.Is("UPDATE"))
        return false;
    // Within a statement WITH opens table hints: a common table expression
    // follows a semicolon in Transact-SQL.
    if (is("WITH"))
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
                const char* starter = StatementStarter(token);
                if (token.IsWord("CASE")) {
                    ++caseDepth;
                } else if (StartsStatement(starter, current, previous, caseDepth)) {
                    close();
                    current.head = QLatin1String(starter);
                    current.line = token.line;
                } else if (token.IsWord("END") && caseDepth > 0) {
                    --caseDepth;
                }
                if (current.Is("INSERT") && (token.IsWord("VALUES") || token.IsWord("SELECT")))
                    current.hasRows = true;
            }
            if (current.head.isEmpty())
                Unknown(QStringLiteral("the statement beginning with '%1'").arg(token.Text()), token.line);
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
        text += tokens[i].Text();
    return text;
}

// A LIKE pattern with Transact-SQL's [x] escapes, as a SQLite pattern with
// ESCAPE '\'. Empty when the pattern needs no change.
QString SqlitePattern(const TsqlToken& literal)
{
    const QStringView body = literal.Text().mid(1, literal.Text().size() - 2);
    if (!body.contains(QLatin1Char('[')) && !body.contains(QLatin1Char('\\')))
        return QString();
    QString out;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == QLatin1Char('[')) {
            const qsizetype close = body.indexOf(QLatin1Char(']'), i + 2);
            if (close != i + 2)
                Unknown(QStringLiteral("the LIKE character class in %1").arg(literal.Text()), literal.line);
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

QString QuotedName(QStringView name)
{
    return QLatin1Char('"') + name.toString().replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

bool EndsWithWildcard(const TsqlToken& literal)
{
    const QStringView body = literal.Text().mid(1, literal.Text().size() - 2);
    return body.endsWith(QLatin1Char('%')) && !body.endsWith(QLatin1String("[%]"));
}

qsizetype LastSignificant(const Tokens& tokens, qsizetype from)
{
    while (from >= 0 && !tokens[from].IsSignificant())
        --from;
    return from;
}

// SQL Server ignores the trailing blanks of the value a LIKE tests; SQLite
// does not, so a column before LIKE is compared trimmed: "t.FKey LIKE 'x'"
// becomes "RTRIM(t.FKey) LIKE 'x'". Any other operand stays as it is.
void TrimOperandBeforeLike(Tokens& out)
{
    qsizetype end = LastSignificant(out, LastSignificant(out, out.size() - 1) - 1);
    if (end >= 0 && out[end].IsWord("NOT"))
        end = LastSignificant(out, end - 1);
    auto isName = [&](qsizetype at) {
        return at >= 0 && (out[at].kind == Kind::QuotedName || (out[at].kind == Kind::Word && !StatementStarter(out[at])));
    };
    if (!isName(end))
        return;
    qsizetype start = end;
    const qsizetype dot = LastSignificant(out, end - 1);
    if (dot >= 0 && out[dot].IsSymbol('.') && isName(LastSignificant(out, dot - 1)))
        start = LastSignificant(out, dot - 1);
    out[start].Rewrite(QStringLiteral("RTRIM(") + out[start].Text().toString());
    out[end].Rewrite(out[end].Text().toString() + QLatin1Char(')'));
}

qsizetype NextSignificant(const Tokens& tokens, qsizetype from)
{
    while (from < tokens.size() && !tokens[from].IsSignificant())
        ++from;
    return from;
}

// Past "WITH (UPDLOCK, HOLDLOCK)" at `withAt`, when every hint there is a
// lock hint, else `withAt`. SQLite needs none: a unit of work holds the
// database's write lock from its start, which serializes more than they do.
qsizetype PastLockHints(const Tokens& tokens, qsizetype withAt)
{
    using L = QLatin1String;
    static const std::array hints{L("UPDLOCK"), L("HOLDLOCK"), L("ROWLOCK"), L("XLOCK"), L("SERIALIZABLE")};
    qsizetype at = NextSignificant(tokens, withAt + 1);
    if (at >= tokens.size() || !tokens[at].IsSymbol('('))
        return withAt;
    for (at = NextSignificant(tokens, at + 1); at < tokens.size(); at = NextSignificant(tokens, at + 1)) {
        if (tokens[at].IsSymbol(')'))
            return at + 1;
        if (!tokens[at].IsSymbol(',') && !Keyword(tokens[at], hints))
            return withAt;
    }
    return withAt;
}

// Token-level rewrites that hold in every statement.
Tokens MapTokens(const Tokens& tokens)
{
    Tokens out;
    const TsqlToken* previous = nullptr;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        TsqlToken token = tokens[i];
        if (token.IsWord("WITH") && previous && previous->kind != Kind::Symbol) {
            if (const qsizetype past = PastLockHints(tokens, i); past > i) {
                i = past - 1;
                continue;
            }
        }
        if (token.kind == Kind::Word) {
            if (token.source.startsWith(QLatin1Char('@')))
                Unknown(QStringLiteral("the variable %1").arg(token.source), token.line);
            if (UnknownWord(token))
                Unknown(QStringLiteral("'%1'").arg(token.source), token.line);
            if (token.source.startsWith(QLatin1Char('#')))
                token.Rewrite(QuotedName(token.source));
            else if (token.IsWord("ISNULL"))
                token.Rewrite(QStringLiteral("IFNULL"));
            else if (token.IsWord("N") && i + 1 < tokens.size() && tokens[i + 1].kind == Kind::String)
                continue;   // N'…' is an ordinary text in SQLite
        } else if (token.kind == Kind::QuotedName && token.source.startsWith(QLatin1Char('['))) {
            token.Rewrite(QuotedName(
                token.source.mid(1, token.source.size() - 2).toString().replace(QStringLiteral("]]"), QStringLiteral("]"))));
        } else if (token.kind == Kind::String && previous && previous->IsWord("LIKE")) {
            if (!EndsWithWildcard(token))
                TrimOperandBeforeLike(out);
            const QString pattern = SqlitePattern(token);
            if (!pattern.isEmpty())
                token.Rewrite(pattern);
        }
        if (token.IsSignificant())
            previous = &tokens[i];
        out.append(token);
    }
    return out;
}

// The real table behind `alias` in a FROM list, or the alias itself.
QString TableOfAlias(const Tokens& fromTail, const QString& alias)
{
    const TsqlToken* beforePrevious = nullptr;
    const TsqlToken* previous = nullptr;
    for (const auto& token : fromTail) {
        if (!token.IsSignificant())
            continue;
        if (token.Text().compare(alias, Qt::CaseInsensitive) == 0 && previous) {
            if (previous->IsWord("AS") && beforePrevious)
                return beforePrevious->Text().toString();
            if (previous->kind == Kind::Word || previous->kind == Kind::QuotedName)
                if (!previous->IsWord("FROM") && !previous->IsWord("JOIN"))
                    return previous->Text().toString();
        }
        beforePrevious = previous;
        previous = &token;
    }
    return alias;
}

// Cuts tokens at every depth-0 separator the test accepts; the separators are dropped.
QList<Tokens> SplitAtDepthZero(const Tokens& tokens, const std::function<bool(const TsqlToken&)>& isSeparator)
{
    QList<Tokens> parts(1);
    int depth = 0;
    for (const TsqlToken& token : tokens) {
        if (token.IsSymbol('('))
            ++depth;
        else if (token.IsSymbol(')'))
            --depth;
        if (depth == 0 && isSeparator(token))
            parts.append(Tokens());
        else
            parts.last().append(token);
    }
    return parts;
}

bool SameName(const TsqlToken& token, const QString& name)
{
    return token.kind == Kind::Word && token.Text().compare(name, Qt::CaseInsensitive) == 0;
}

bool Mentions(const Tokens& tokens, const QString& alias)
{
    const Tokens significant = SignificantOf(tokens);
    for (qsizetype i = 0; i + 1 < significant.size(); ++i)
        if (SameName(significant[i], alias) && significant[i + 1].IsSymbol('.'))
            return true;
    return false;
}

// DELETE alias FROM table alias, others WHERE alias.col = other.col AND rest
//   →  DELETE FROM table WHERE col IN (SELECT other.col FROM others WHERE rest)
// the semi-join SQLite runs fastest. Empty when the statement has another shape.
QString DeleteAsSemiJoin(const Tokens& fromTail, const QString& alias)
{
    const QList<Tokens> clauses = SplitAtDepthZero(fromTail.mid(NextSignificant(fromTail, 0) + 1),
                                                   [](const TsqlToken& t) { return t.IsWord("WHERE"); });
    if (clauses.size() != 2)
        return QString();
    QString table;
    QStringList others;
    for (const Tokens& item : SplitAtDepthZero(clauses[0], [](const TsqlToken& t) { return t.IsSymbol(','); })) {
        const Tokens words = SignificantOf(item);
        const bool simple = words.size() == 2 || (words.size() == 3 && words[1].IsWord("AS"));
        if (!simple || words.first().kind != Kind::Word || words.last().kind != Kind::Word)
            return QString();   // joins, derived tables: left to the general form
        if (SameName(words.last(), alias))
            table = words.first().Text().toString();
        else
            others.append(Join(item).trimmed());
    }
    QList<Tokens> conditions = SplitAtDepthZero(clauses[1], [](const TsqlToken& t) { return t.IsWord("AND"); });
    for (const Tokens& condition : conditions)
        if (SplitAtDepthZero(condition, [](const TsqlToken& t) { return t.IsWord("OR"); }).size() > 1)
            return QString();
    for (qsizetype i = 0; i < conditions.size(); ++i) {
        const Tokens w = SignificantOf(conditions[i]);
        if (w.size() != 7 || !w[1].IsSymbol('.') || !w[3].IsSymbol('=') || !w[5].IsSymbol('.'))
            continue;
        const bool targetLeft = SameName(w[0], alias) && !SameName(w[4], alias);
        const bool targetRight = SameName(w[4], alias) && !SameName(w[0], alias);
        if (!targetLeft && !targetRight)
            continue;
        const TsqlToken& column = targetLeft ? w[2] : w[6];
        const TsqlToken& otherTable = targetLeft ? w[4] : w[0];
        const TsqlToken& otherColumn = targetLeft ? w[6] : w[2];
        const QString matched = otherTable.Text().toString() + QLatin1Char('.') + otherColumn.Text().toString();
        conditions.removeAt(i);
        QStringList rest;
        for (const Tokens& condition : conditions) {
            if (Mentions(condition, alias))
                return QString();
            rest.append(Join(condition).trimmed());
        }
        if (table.isEmpty() || others.isEmpty())
            return QString();
        return QStringLiteral("DELETE FROM %1 WHERE %2 IN (SELECT %3 FROM %4%5)")
            .arg(table, column.Text().toString(), matched, others.join(QLatin1Char(',')),
                 rest.isEmpty() ? QString() : QStringLiteral(" WHERE ") + rest.join(QStringLiteral(" and ")));
    }
    return QString();
}

// DELETE [FROM] target FROM list WHERE …  →  the semi-join above, or else
// DELETE FROM table WHERE rowid IN (SELECT target.rowid FROM list WHERE …)
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
        const QString alias = tokens[targetAt].Text().toString();
        const QString semiJoin = DeleteAsSemiJoin(tail, alias);
        if (!semiJoin.isEmpty())
            return semiJoin;
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
            const QString target = tokens[targetAt].Text().toString();
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
        && tokens[nameAt].Text().startsWith(QStringLiteral("\"#"))) {
        tempTables.append(tokens[nameAt].Text().toString());
        return Join(tokens, 0, tableAt) + QStringLiteral("TEMP ") + Join(tokens, tableAt);
    }
    return Join(tokens);
}

// SELECT TOP n …  →  SELECT … LIMIT n, for the statement's own SELECT: the
// TOP and its count leave the tokens and the LIMIT clause is answered. A
// TOP anywhere else stays for MapTokens to refuse.
QString TakeTop(Tokens& tokens)
{
    const qsizetype topAt = NextSignificant(tokens, NextSignificant(tokens, 0) + 1);
    const qsizetype countAt = NextSignificant(tokens, topAt + 1);
    if (countAt >= tokens.size() || !tokens[topAt].IsWord("TOP") || tokens[countAt].kind != Kind::Number)
        return QString();
    const qsizetype afterAt = NextSignificant(tokens, countAt + 1);
    if (afterAt < tokens.size() && (tokens[afterAt].IsWord("PERCENT") || tokens[afterAt].IsWord("WITH")))
        Unknown(QStringLiteral("'TOP … %1'").arg(tokens[afterAt].Text()), tokens[afterAt].line);
    const QString count = tokens[countAt].Text().toString();
    tokens.remove(topAt, countAt + 1 - topAt);
    return QStringLiteral("\nLIMIT ") + count;   // on a line of its own, past any closing comment
}

// The marked literals of a shape become the parameters ?1, ?2 … of the step
// they fall in, numbered in the step's own order.
void Parameterize(Tokens& tokens, BridgeStep& step)
{
    for (TsqlToken& token : tokens) {
        if (token.literal == 0)
            continue;
        step.literals.push_back(token.literal);
        token.Rewrite(QLatin1Char('?') + QString::number(step.literals.size()));
    }
}

QString Unquoted(const TsqlToken& token)
{
    const QStringView text = token.Text();
    if (text.size() < 2 || !text.startsWith(QLatin1Char('"')) || !text.endsWith(QLatin1Char('"')))
        return text.toString();
    return text.mid(1, text.size() - 2).toString().replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

// A value that is a column of the SELECT's tables: name or table.name.
bool IsColumn(const Tokens& value)
{
    auto isName = [](const TsqlToken& t) {
        return t.kind == Kind::QuotedName || (t.kind == Kind::Word && !t.IsWord("NULL") && !StatementStarter(t));
    };
    if (value.size() == 1)
        return isName(value[0]);
    return value.size() == 3 && isName(value[0]) && value[1].IsSymbol('.') && isName(value[2]);
}

// INSERT [INTO] table (columns) SELECT [DISTINCT] values FROM … without an
// ORDER BY, LIMIT or compound of its own; empty for any other INSERT.
BridgeInsert InsertSelectOf(const Tokens& tokens)
{
    const Tokens w = SignificantOf(tokens);
    qsizetype at = 1;
    if (at < w.size() && w[at].IsWord("INTO"))
        ++at;
    if (at + 2 >= w.size() || !w[at + 1].IsSymbol('('))
        return {};
    BridgeInsert insert;
    const QString table = Unquoted(w[at]);
    for (at += 2; at < w.size() && !w[at].IsSymbol(')'); ++at)
        if (!w[at].IsSymbol(','))
            insert.columns.append(Unquoted(w[at]));
    if (++at >= w.size() || !w[at].IsWord("SELECT"))
        return {};
    if (++at < w.size() && (w[at].IsWord("DISTINCT") || w[at].IsWord("ALL")))
        ++at;
    const QList<Tokens> clauses = SplitAtDepthZero(w.mid(at), [](const TsqlToken& t) {
        return t.IsWord("FROM") || t.IsWord("ORDER") || t.IsWord("LIMIT") || t.IsWord("UNION")
               || t.IsWord("EXCEPT") || t.IsWord("INTERSECT");
    });
    if (clauses.size() != 2)
        return {};   // no FROM, or an order or compound of its own
    const QList<Tokens> values = SplitAtDepthZero(clauses[0], [](const TsqlToken& t) { return t.IsSymbol(','); });
    if (values.size() != insert.columns.size())
        return {};
    for (const Tokens& value : values)
        insert.copied.push_back(IsColumn(value));
    insert.table = table;
    return insert;
}

void NumberSteps(std::vector<BridgeStep>& steps, int& next)
{
    for (BridgeStep& step : steps) {
        step.index = next++;
        NumberSteps(step.whenTrue, next);
        NumberSteps(step.whenFalse, next);
    }
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
        NumberSteps(program.steps, program.stepCount);
        return program;
    }

private:
    std::vector<BridgeStep> Block(bool untilEnd)
    {
        std::vector<BridgeStep> steps;
        while (at_ < statements_.size()) {
            const Statement& s = statements_[at_];
            if (s.Is("END")) {
                ExpectAlone(s);
                if (!untilEnd)
                    Unknown(QStringLiteral("END without BEGIN"), s.line);
                ++at_;
                return steps;
            }
            if (s.Is("ELSE"))
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
        if (s.Is("BEGIN")) {
            ExpectAlone(s);
            return Block(true);
        }
        if (s.Is("IF"))
            return {Condition(s)};
        return {Simple(s)};
    }

    // The statement's tokens in SQLite's form, a shape's literals as the step's parameters.
    static Tokens Mapped(const Tokens& tokens, BridgeStep& step)
    {
        Tokens mapped = MapTokens(tokens);
        Parameterize(mapped, step);
        return mapped;
    }

    BridgeStep Condition(const Statement& s)
    {
        BridgeStep step;
        const Tokens mapped = Mapped(s.tokens, step);
        const qsizetype ifAt = NextSignificant(mapped, 0);
        step.isCondition = true;
        step.sql = QStringLiteral("SELECT CASE WHEN %1 THEN 1 ELSE 0 END").arg(Join(mapped, ifAt + 1).trimmed());
        step.whenTrue = One();
        if (at_ < statements_.size() && statements_[at_].Is("ELSE")) {
            ExpectAlone(statements_[at_]);
            ++at_;
            step.whenFalse = One();
        }
        return step;
    }

    BridgeStep Simple(const Statement& s)
    {
        static const QSet<QString> supported{u"SELECT"_s, u"DELETE"_s, u"CREATE"_s,
                                             u"INSERT"_s, u"UPDATE"_s, u"DROP"_s};
        if (!supported.contains(s.head))
            Unknown(QStringLiteral("the statement '%1'").arg(s.head), s.line);
        Tokens tokens = s.tokens;
        const QString limit = s.Is("SELECT") ? TakeTop(tokens) : QString();
        BridgeStep step;
        const Tokens mapped = Mapped(tokens, step);
        if (s.Is("SELECT")) {
            step.sql = TranslateSelect(mapped, tempTables_) + limit;
            writes_ = writes_ || step.sql.startsWith(QStringLiteral("CREATE"));
        } else if (s.Is("DELETE")) {
            step.sql = TranslateDelete(mapped);
        } else if (s.Is("CREATE")) {
            step.sql = TranslateCreate(mapped, tempTables_);
        } else {
            step.sql = Join(mapped);
            if (s.Is("INSERT"))
                step.insert = InsertSelectOf(mapped);
        }
        writes_ = writes_ || !s.Is("SELECT");
        return step;
    }

    static void ExpectAlone(const Statement& s)
    {
        const Tokens significant = SignificantOf(s.tokens);
        if (significant.size() > 1)
            Unknown(QStringLiteral("'%1 %2'").arg(significant[0].Text(), significant[1].Text()), s.line);
    }

    QList<Statement> statements_;
    qsizetype at_ = 0;
    QStringList tempTables_;
    bool writes_ = false;
};

BridgeProgram Translate(const Tokens& tokens)
{
    QList<Statement> statements = SplitStatements(tokens);
    if (statements.isEmpty())
        return {};
    return ProgramBuilder(std::move(statements)).Build();
}

// The tokens of a shape's batch, its lifted literals numbered.
Tokens MarkedTokens(const TsqlShape& shape)
{
    Tokens tokens = TokenizeTsql(shape.Batch());
    qsizetype number = 1;
    for (TsqlToken& token : tokens)
        if (number <= shape.LiteralCount() && token.source.data() == shape.LiteralAt(number).text.data())
            token.literal = int(number++);
    return tokens;
}

}

BridgeProgram TranslateTsql(const QString& batch)
{
    return Translate(TokenizeTsql(batch));
}

std::shared_ptr<const BridgeProgram> TranslateShape(const TsqlShape& shape)
{
    using Translation = std::shared_ptr<const BridgeProgram>;
    constexpr int kShapesKept = 256;
    thread_local QCache<QString, Translation> translations(kShapesKept);
    if (const Translation* kept = translations.object(shape.Key()))
        return *kept;
    auto translation = std::make_shared<const BridgeProgram>(Translate(MarkedTokens(shape)));
    translations.insert(shape.Key(), new Translation(translation));
    return translation;
}

}
