#pragma once

#include "Recordset.h"
#include "RowReader.h"

#include <functional>

#include <memory>
#include <vector>

namespace vellbatchrule {

struct BridgeProgram;
struct BridgeStep;

// A database under the host connection. The connection keeps the unit of
// work's state and checks; a backend only runs what it is given. A backend
// on SQLite runs each translated batch with SQL Server's atomicity through
// RunBridged: a batch of one query alone; any other in a transaction, or in
// a savepoint inside a unit of work, so that a failing batch leaves nothing
// behind, not even its temporary tables.
class SqlBackend {
public:
    virtual ~SqlBackend() = default;

    // One batch, inside a unit of work or on its own: atomic either way.
    virtual std::unique_ptr<Recordset> Execute(const QString& sql, bool inUnit) = 0;
    // One batch's rows, one at a time; by default off Execute's record set.
    virtual void ReadRows(const QString& sql, bool inUnit, const std::function<void(const RowReader&)>& row);
    virtual bool UsesBridge() const = 0;

    // A unit of work, or the transaction of one batch.
    virtual void Begin(bool writes) = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;   // never throws

protected:
    // A batch of one query only: atomic by itself, its rows its statement's.
    static bool IsOneQuery(const BridgeProgram& program);
    // The rows of the batch's first row-returning step, or null.
    std::unique_ptr<Recordset> RunBridged(const BridgeProgram& program, bool inUnit);

    virtual void RunStatement(const QString& sql) = 0;   // one of the backend's own
    virtual void RunQuietly(const QString& sql) = 0;     // while undoing: never throws
    virtual bool Holds(const BridgeStep& condition) = 0;
    // Runs a step; its rows become `result` when it has rows and `result` is still empty.
    virtual void Run(const BridgeStep& step, std::unique_ptr<Recordset>& result) = 0;

private:
    void RunSteps(const std::vector<BridgeStep>& steps, std::unique_ptr<Recordset>& result);
};

}
