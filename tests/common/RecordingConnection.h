#pragma once

#include "AppConnection.h"
#include "HostError.h"

#include <QStringList>
#include <memory>

// Records every batch, then hands it to the real connection, or fails it
// with a database error when told to.
class RecordingConnection : public AppConnection {
public:
    explicit RecordingConnection(std::shared_ptr<AppConnection> real = nullptr) : real_(std::move(real)) {}

    std::unique_ptr<Recordset> Execute(const QString& sql) override
    {
        batches << sql;
        if (!failWith.isEmpty())
            throw HostError(-2147217900, failWith, "Microsoft OLE DB Provider for SQL Server");
        return real_ ? real_->Execute(sql) : nullptr;
    }

    QStringList batches;
    QString failWith;

private:
    std::shared_ptr<AppConnection> real_;
};
