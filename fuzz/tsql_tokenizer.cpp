// The T-SQL tokenizer on any batch: the tokens are the batch, piece by piece.
#include "FuzzCheck.h"
#include "HostError.h"
#include "TsqlTokenizer.h"

using namespace vellbatchrule;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QString batch = vellfuzz::Text(data, size);
    QList<TsqlToken> tokens;
    try {
        tokens = TokenizeTsql(batch);
    } catch (const HostError&) {
        return 0;   // an unterminated quote or comment
    }
    qsizetype at = 0;
    int line = 1;
    for (const TsqlToken& token : tokens) {
        const QString shown = QStringLiteral("token \"%1\" at %2 of \"%3\"").arg(token.source.toString()).arg(at).arg(batch);
        FUZZ_CHECK(!token.source.isEmpty(), shown);
        FUZZ_CHECK(token.source.data() == batch.constData() + at, shown);   // each starts where the last ended
        FUZZ_CHECK(token.line == line, shown + QStringLiteral(" on line %1, not %2").arg(token.line).arg(line));
        FUZZ_CHECK(token.Text() == token.source, shown);
        switch (token.kind) {
        case TsqlToken::Kind::Space:
            for (const QChar c : token.source)
                FUZZ_CHECK(c.isSpace(), shown);
            break;
        case TsqlToken::Kind::String:
            FUZZ_CHECK(token.source.size() >= 2 && token.source.front() == u'\'' && token.source.back() == u'\'', shown);
            break;
        case TsqlToken::Kind::Comment:
            FUZZ_CHECK(token.source.startsWith(u"--") || (token.source.startsWith(u"/*") && token.source.endsWith(u"*/")), shown);
            break;
        default:
            break;
        }
        at += token.source.size();
        line += int(token.source.count(QLatin1Char('\n')));
    }
    FUZZ_CHECK(at == batch.size(), QStringLiteral("the tokens end at %1 of %2").arg(at).arg(batch.size()));
    return 0;
}
