#pragma once

#include "VellBatchRuleExport.h"

#include "HostComponent.h"
#include "Recordset.h"
#include "RowReader.h"

#include <functional>
#include <memory>

namespace vellbatchrule {

// The host's application connection: runs one Transact-SQL batch, and groups
// batches into one unit of work with the platform's transaction calls.
class VELLBATCHRULE_EXPORT AppConnection : public HostComponent {
public:
    // The record set of the batch's first row-returning statement, or null
    // for a batch without rows. A failure throws HostError; the batch leaves
    // nothing behind, inside a unit of work as well as outside one.
    virtual std::unique_ptr<Recordset> Execute(const QString& sql) = 0;

    // The rows of the batch's first row-returning statement, handed to `row`
    // one at a time and not kept: the component's bulk reads. Failures throw
    // HostError as Execute's do; what `row` throws ends the read and passes
    // on. This default reads them off Execute's record set; a connection
    // that can step its statement instead saves the copy.
    virtual void ReadRows(const QString& sql, const std::function<void(const RowReader&)>& row);

    // A unit of work: every batch until CommitTrans lands together, or none
    // does after RollbackTrans. Units do not nest. Failures throw HostError.
    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
};

}
