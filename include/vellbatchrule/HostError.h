#pragma once

#include "VellBatchRuleExport.h"

#include <QString>
#include <stdexcept>

namespace vellbatchrule {

// The platform's error object: every failure of a host component or of the
// system itself travels as one of these, with its number, text and origin.
class VELLBATCHRULE_EXPORT HostError : public std::runtime_error {
public:
    HostError(qint32 number, const QString& description, const QString& source);

    qint32 Number() const { return number_; }
    QString Description() const { return description_; }
    QString Source() const { return source_; }

private:
    qint32 number_;
    QString description_;
    QString source_;
};

}
