#pragma once

#include "HostComponent.h"
#include "Recordset.h"

#include <memory>

// The host's application connection: runs one Transact-SQL batch.
class AppConnection : public HostComponent {
public:
    // The record set of the batch's first row-returning statement, or null
    // for a batch without rows. A failure throws HostError.
    virtual std::unique_ptr<Recordset> Execute(const QString& sql) = 0;
};
