#pragma once

#include "AppConnection.h"

namespace vellbatchrule {

// One unit of work on a host connection: begun when made, rolled back when
// left without Commit, so an early return or an exception undoes it all.
class UnitOfWork {
public:
    explicit UnitOfWork(AppConnection& connection) : connection_(connection) { connection_.BeginTrans(); }
    UnitOfWork(const UnitOfWork&) = delete;
    UnitOfWork& operator=(const UnitOfWork&) = delete;

    ~UnitOfWork()
    {
        if (open_) {
            try {
                connection_.RollbackTrans();
            } catch (...) {
                // The database drops an unfinished unit when the connection ends.
            }
        }
    }

    void Commit()
    {
        open_ = false;
        connection_.CommitTrans();
    }

private:
    AppConnection& connection_;
    bool open_ = true;
};

}
