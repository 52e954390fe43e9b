#pragma once

#include "Recordset.h"

#include <memory>

// A database under the host connection. The connection keeps the unit of
// work's state and checks; a backend only runs what it is given.
class SqlBackend {
public:
    virtual ~SqlBackend() = default;

    // One batch, inside a unit of work or on its own: atomic either way.
    virtual std::unique_ptr<Recordset> Execute(const QString& sql, bool inUnit) = 0;
    virtual void BeginUnit() = 0;
    virtual void CommitUnit() = 0;
    virtual void RollbackUnit() = 0;   // never throws
    virtual bool UsesBridge() const = 0;
};
