#pragma once

#include "ShareProps.h"

namespace vellbatchrule {

// The host's shared-property store: properties kept per process id, for
// every thread and every store object of the process.
class SharePropsStore : public ShareProps {
public:
    QVariant GetProperty(quint32 processId, const QString& name) override;

    static void SetProperty(quint32 processId, const QString& name, const QVariant& value);
    // The host's own process.
    static void SetProperty(const QString& name, const QVariant& value);
};

}
