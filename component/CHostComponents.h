#pragma once

#include "vbr.h"

#include "MaterializedRecordset.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// One call into a C host's function: what it answered, and why it failed.
struct vbr_call {
    std::optional<int> failure;
    QString failureText;
    QStringList columns;
    std::unique_ptr<vellbatchrule::MaterializedRecordset> rows;   // made at the first value
    QString text;

    vellbatchrule::MaterializedRecordset& Rows();
};

namespace vellbatchrule {

// Register the C host's tables as its components.
void RegisterCConnection(const vbr_connection_functions& functions);
void RegisterCMessageBox(const vbr_message_box_functions& functions);
void RegisterCDataAccess(const vbr_data_access_functions& functions);

}
