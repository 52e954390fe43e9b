#include "HostError.h"

namespace vellbatchrule {

HostError::HostError(qint32 number, const QString& description, const QString& source)
    : std::runtime_error(description.toStdString()),
      number_(number),
      description_(description),
      source_(source)
{
}

}
