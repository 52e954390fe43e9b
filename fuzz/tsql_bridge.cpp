// The T-SQL bridge on any batch: translated, or refused with a HostError;
// the batch's shape as well, with its literals lifted into parameters.
#include "FuzzCheck.h"
#include "HostError.h"
#include "TsqlBridge.h"
#include "TsqlShape.h"

#include <optional>
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

// The shape's program has the batch's steps: its literals, lifted into
// parameters, change no statement's place. (Their text is not compared: a
// number where a name belongs, which no batch of this system writes, reads
// as a name once it is a parameter.)
void SameSteps(const std::vector<BridgeStep>& batch, const std::vector<BridgeStep>& shaped, const TsqlShape& shape)
{
    FUZZ_CHECK(batch.size() == shaped.size(), shape.Batch());
    for (size_t i = 0; i < batch.size(); ++i) {
        FUZZ_CHECK(batch[i].isCondition == shaped[i].isCondition, shape.Batch());
        SameSteps(batch[i].whenTrue, shaped[i].whenTrue, shape);
        SameSteps(batch[i].whenFalse, shaped[i].whenFalse, shape);
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QString batch = vellfuzz::Text(data, size);
    std::optional<BridgeProgram> translated;
    try {
        translated = TranslateTsql(batch);
        Check(*translated, 0);
    } catch (const HostError&) {
    }
    std::optional<TsqlShape> shape;
    std::shared_ptr<const BridgeProgram> shaped;
    try {
        shape.emplace(batch);
        for (qsizetype i = 1; i <= shape->LiteralCount(); ++i)
            if (shape->LiteralAt(i).isText)
                TsqlShape::TextOf(shape->LiteralAt(i));
        shaped = TranslateShape(*shape);
        Check(*shaped, shape->LiteralCount());
    } catch (const HostError&) {
    }
    FUZZ_CHECK(bool(translated) == bool(shaped), batch);   // a batch and its shape are refused alike
    if (translated) {
        SameSteps(translated->steps, shaped->steps, *shape);
        FUZZ_CHECK(translated->writes == shaped->writes && translated->tempTables == shaped->tempTables, batch);
    }
    return 0;
}
