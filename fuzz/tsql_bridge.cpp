// The T-SQL bridge on any batch: translated, or refused with a HostError;
// the batch's shape as well, with its literals lifted into parameters.
#include "FuzzCheck.h"
#include "HostError.h"
#include "TsqlBridge.h"
#include "TsqlShape.h"

#include <set>

using namespace vellbatchrule;

namespace {

// Every step at every level, each counted once and numbered in order of appearance.
void Walk(const std::vector<BridgeStep>& steps, std::set<int>& indexes, qsizetype literalCount, int& count)
{
    for (const BridgeStep& step : steps) {
        FUZZ_CHECK(!step.sql.trimmed().isEmpty());
        FUZZ_CHECK(indexes.insert(step.index).second, QStringLiteral("step index %1 twice").arg(step.index));
        for (const int literal : step.literals)
            FUZZ_CHECK(literal >= 1 && literal <= literalCount, step.sql);
        FUZZ_CHECK(step.isCondition || (step.whenTrue.empty() && step.whenFalse.empty()), step.sql);
        ++count;
        Walk(step.whenTrue, indexes, literalCount, count);
        Walk(step.whenFalse, indexes, literalCount, count);
    }
}

void Check(const BridgeProgram& program, qsizetype literalCount)
{
    std::set<int> indexes;
    int count = 0;
    Walk(program.steps, indexes, literalCount, count);
    FUZZ_CHECK(count == program.stepCount, QStringLiteral("%1 steps, %2 counted").arg(count).arg(program.stepCount));
    FUZZ_CHECK(indexes.empty() || (*indexes.begin() == 0 && *indexes.rbegin() == count - 1));
}

}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QString batch = vellfuzz::Text(data, size);
    try {
        Check(TranslateTsql(batch), 0);
    } catch (const HostError&) {
    }
    try {
        const TsqlShape shape(batch);
        for (qsizetype i = 1; i <= shape.LiteralCount(); ++i)
            if (shape.LiteralAt(i).isText)
                TsqlShape::TextOf(shape.LiteralAt(i));
        Check(*TranslateShape(shape), shape.LiteralCount());
    } catch (const HostError&) {
    }
    return 0;
}
