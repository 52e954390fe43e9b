#include "TsqlShape.h"

#include "TsqlTokenizer.h"

namespace vellbatchrule {

namespace {

using Kind = TsqlToken::Kind;

// What a word means to the literals after it.
enum class Role { Other, Select, EndsColumnList, OrderOrGroup, By, Starter, Create, Like, As };

Role RoleOf(QStringView word)
{
    struct Entry {
        QLatin1String word;
        Role role;
    };
    using L = QLatin1String;
    static const Entry entries[] = {
        {L("SELECT"), Role::Select},         {L("FROM"), Role::EndsColumnList},   {L("INTO"), Role::EndsColumnList},
        {L("WHERE"), Role::EndsColumnList},  {L("HAVING"), Role::EndsColumnList}, {L("UNION"), Role::EndsColumnList},
        {L("EXCEPT"), Role::EndsColumnList}, {L("INTERSECT"), Role::EndsColumnList}, {L("LIMIT"), Role::EndsColumnList},
        {L("ORDER"), Role::OrderOrGroup},    {L("GROUP"), Role::OrderOrGroup},    {L("BY"), Role::By},
        {L("INSERT"), Role::Starter},        {L("UPDATE"), Role::Starter},        {L("DELETE"), Role::Starter},
        {L("DROP"), Role::Starter},          {L("IF"), Role::Starter},            {L("BEGIN"), Role::Starter},
        {L("CREATE"), Role::Create},         {L("LIKE"), Role::Like},             {L("ESCAPE"), Role::Like},
        {L("AS"), Role::As},
    };
    for (const Entry& entry : entries)
        if (entry.word.size() == word.size() && word.compare(entry.word, Qt::CaseInsensitive) == 0)
            return entry.role;
    return Role::Other;
}

bool IsWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#') || c == QLatin1Char('@')
           || c == QLatin1Char('$');
}

// Follows a batch token by token and tells which literals become parameters.
class LiteralLifter {
public:
    explicit LiteralLifter(QStringView batch) : batch_(batch) {}

    bool Lifts(const TsqlToken& token)
    {
        if (!token.IsSignificant() || IsTextPrefix(token))
            return false;   // N'…' is lifted as the text it prefixes
        if (token.kind == Kind::String || token.kind == Kind::Number) {
            const bool lifts = LiftsHere() && (token.kind == Kind::String ? TextLifts(token) : NumberLifts(token));
            previous_ = Role::Other;
            return lifts;
        }
        const Role role = token.kind == Kind::Word ? RoleOf(token.source) : Role::Other;
        if (token.IsSymbol('('))
            ++depth_;
        else if (token.IsSymbol(')'))
            Close();
        else
            Word(role);
        previous_ = role;
        return false;
    }

private:
    bool LiftsHere() const
    {
        return columnLists_.isEmpty() && orderDepth_ < 0 && !inCreate_ && previous_ != Role::Like
               && previous_ != Role::As;
    }

    qsizetype Offset(const TsqlToken& token) const { return token.source.data() - batch_.data(); }

    QChar CharAt(qsizetype at) const { return at >= 0 && at < batch_.size() ? batch_[at] : QChar(); }

    bool IsTextPrefix(const TsqlToken& token) const
    {
        return token.kind == Kind::Word && token.source.size() == 1 && token.source[0].toUpper() == QLatin1Char('N')
               && CharAt(Offset(token) + 1) == QLatin1Char('\'');
    }

    // A text glued to a word is no plain text (X'0A'), unless the word is N.
    bool TextLifts(const TsqlToken& token) const
    {
        const qsizetype at = Offset(token);
        if (!IsWordPart(CharAt(at - 1)))
            return true;
        return CharAt(at - 1).toUpper() == QLatin1Char('N') && !IsWordPart(CharAt(at - 2));
    }

    // A whole number standing alone: not 1e5, not ?1 or :1, not beyond 64 bits.
    bool NumberLifts(const TsqlToken& token) const
    {
        const qsizetype at = Offset(token);
        if (token.source.contains(QLatin1Char('.')) || IsWordPart(CharAt(at + token.source.size())))
            return false;
        if (QStringView(u"?:$").contains(CharAt(at - 1)))
            return false;
        bool fits = false;
        static_cast<void>(token.source.toLongLong(&fits));
        return fits;
    }

    void Close()
    {
        while (!columnLists_.isEmpty() && columnLists_.last() >= depth_)
            columnLists_.removeLast();
        if (depth_ > 0)
            --depth_;
        if (orderDepth_ > depth_)
            orderDepth_ = -1;
    }

    void Word(Role role)
    {
        switch (role) {
        case Role::Select:
            if (depth_ == 0 && inCreate_ && previous_ != Role::As)
                inCreate_ = false;   // CREATE TABLE t (…) SELECT …: a new statement
            if (orderDepth_ == depth_)
                orderDepth_ = -1;
            if (columnLists_.isEmpty() || columnLists_.last() != depth_)
                columnLists_.append(depth_);
            break;
        case Role::OrderOrGroup:
        case Role::EndsColumnList:
            if (!columnLists_.isEmpty() && columnLists_.last() == depth_)
                columnLists_.removeLast();
            break;
        case Role::By:
            if (previous_ == Role::OrderOrGroup)
                orderDepth_ = depth_;
            break;
        case Role::Starter:
        case Role::Create:
            if (depth_ == 0) {
                columnLists_.clear();
                orderDepth_ = -1;
                inCreate_ = role == Role::Create;
            }
            break;
        default:
            break;
        }
    }

    QStringView batch_;
    int depth_ = 0;
    QVarLengthArray<int, 8> columnLists_;   // depths at which a SELECT's column list is open
    int orderDepth_ = -1;                   // depth of an open ORDER BY or GROUP BY list
    bool inCreate_ = false;
    Role previous_ = Role::Other;           // of the previous significant token
};

}

TsqlShape::TsqlShape(const QString& batch) : batch_(batch)
{
    LiteralLifter lifter(batch_);
    TsqlTokenizer tokenizer(batch_);
    qsizetype copied = 0;
    for (TsqlToken token{}; tokenizer.Next(token);) {
        if (!lifter.Lifts(token))
            continue;
        if (key_.isNull())
            key_.reserve(batch_.size());
        const qsizetype at = token.source.data() - batch_.constData();
        key_.append(QStringView(batch_).mid(copied, at - copied));
        // A literal of the same kind in its place keeps the key a batch of the same tokens.
        key_.append(token.kind == TsqlToken::Kind::String ? QStringView(u"''") : QStringView(u"0"));
        copied = at + token.source.size();
        literals_.append({token.source, token.kind == TsqlToken::Kind::String});
    }
    if (literals_.isEmpty())
        key_ = batch_;
    else
        key_.append(QStringView(batch_).mid(copied));
}

QString TsqlShape::TextOf(const Literal& literal)
{
    QString text = literal.text.mid(1, literal.text.size() - 2).toString();
    return text.replace(QStringLiteral("''"), QStringLiteral("'"));
}

}
