#include "SqlBackend.h"

#include "RecordsetRow.h"
#include "TsqlBridge.h"

namespace vellbatchrule {

namespace {
const QString kBatchSavepoint = QStringLiteral("vell_batch");
}

void SqlBackend::ReadRows(const QString& sql, bool inUnit, const std::function<void(const RowReader&)>& row)
{
    ReadEachRow(Execute(sql, inUnit), row);
}

bool SqlBackend::IsOneQuery(const BridgeProgram& program)
{
    return program.steps.size() == 1 && !program.steps.front().isCondition && !program.writes;
}

std::unique_ptr<Recordset> SqlBackend::RunBridged(const BridgeProgram& program, bool inUnit)
{
    std::unique_ptr<Recordset> result;
    // One plain query is atomic by itself and needs no transaction.
    if (IsOneQuery(program)) {
        RunSteps(program.steps, result);
        return result;
    }
    // Inside a unit of work the batch is a savepoint, so a failing batch
    // leaves the unit as it was before the batch.
    if (inUnit)
        RunStatement(QStringLiteral("SAVEPOINT ") + kBatchSavepoint);
    else
        Begin(program.writes);
    try {
        RunSteps(program.steps, result);
        for (const QString& table : program.tempTables)
            RunStatement(QStringLiteral("DROP TABLE IF EXISTS temp.%1").arg(table));
        if (inUnit)
            RunStatement(QStringLiteral("RELEASE ") + kBatchSavepoint);
        else
            Commit();
    } catch (...) {
        if (inUnit) {
            RunQuietly(QStringLiteral("ROLLBACK TO ") + kBatchSavepoint);
            RunQuietly(QStringLiteral("RELEASE ") + kBatchSavepoint);
        } else {
            Rollback();
        }
        throw;
    }
    return result;
}

void SqlBackend::RunSteps(const std::vector<BridgeStep>& steps, std::unique_ptr<Recordset>& result)
{
    for (const BridgeStep& step : steps) {
        if (step.isCondition)
            RunSteps(Holds(step) ? step.whenTrue : step.whenFalse, result);
        else
            Run(step, result);
    }
}

}
