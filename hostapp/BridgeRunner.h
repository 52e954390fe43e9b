#pragma once

#include "Recordset.h"

#include <memory>
#include <vector>

struct BridgeProgram;
struct BridgeStep;

// Runs a translated batch on a SQLite database with SQL Server's atomicity:
// a batch of one query runs alone; any other runs in a transaction, or in a
// savepoint inside a unit of work, so a failing batch leaves nothing behind,
// not even its temporary tables. Subclasses say how a statement runs.
class BridgeRunner {
public:
    virtual ~BridgeRunner() = default;

protected:
    // The rows of the batch's first row-returning step, or null.
    std::unique_ptr<Recordset> RunProgram(const BridgeProgram& program, bool inUnit);

    virtual void Begin(bool writes) = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;                          // never throws
    virtual void RunStatement(const QString& sql) = 0;    // one of the runner's own
    virtual void RunQuietly(const QString& sql) = 0;      // while undoing: never throws
    virtual bool Holds(const BridgeStep& condition) = 0;
    // Runs a step; its rows become `result` when it has rows and `result` is still empty.
    virtual void Run(const BridgeStep& step, std::unique_ptr<Recordset>& result) = 0;

private:
    void RunSteps(const std::vector<BridgeStep>& steps, std::unique_ptr<Recordset>& result);
};
