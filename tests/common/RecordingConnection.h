#pragma once

#include "TestSupport.h"
#include "AppConnection.h"
#include "HostError.h"
#include "HostErrors.h"

#include <QStringList>
#include <memory>

// A connection for fakes that answer batches only: units of work do nothing.
class FakeConnection : public AppConnection {
public:
    void BeginTrans() override {}
    void CommitTrans() override {}
    void RollbackTrans() override {}
};

// Records every batch and every call of the unit of work, then hands it to
// the real connection; fails a batch with a database error when told to.
class RecordingConnection : public AppConnection {
public:
    explicit RecordingConnection(std::shared_ptr<AppConnection> real = nullptr) : real_(std::move(real)) {}

    std::unique_ptr<Recordset> Execute(const QString& sql) override
    {
        batches << sql;
        calls << QStringLiteral("Execute");
        if (!failWith.isEmpty() && (failOn.isEmpty() || sql.contains(failOn)))
            throw HostError(HostErrors::ErrorsInCommand, failWith, "Microsoft OLE DB Provider for SQL Server");
        return real_ ? real_->Execute(sql) : nullptr;
    }
    void BeginTrans() override { Unit(QStringLiteral("BeginTrans"), &AppConnection::BeginTrans); }
    void CommitTrans() override { Unit(QStringLiteral("CommitTrans"), &AppConnection::CommitTrans); }
    void RollbackTrans() override { Unit(QStringLiteral("RollbackTrans"), &AppConnection::RollbackTrans); }

    QStringList batches;
    QStringList calls;    // "Execute", "BeginTrans", "CommitTrans", "RollbackTrans" in order
    QString failWith;
    QString failOn;       // only batches holding this text fail; empty: every batch

private:
    void Unit(const QString& call, void (AppConnection::*forward)())
    {
        calls << call;
        if (real_)
            (real_.get()->*forward)();
    }

    std::shared_ptr<AppConnection> real_;
};
