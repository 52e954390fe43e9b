#pragma once

#include "ComponentNames.h"

namespace vellbatchrule {

// The numbers and origin of the host connection's own errors; errors of the
// database carry the database's number and text.
namespace ConnectionErrors {
inline constexpr qint32 ProviderError = -2147467259;   // E_FAIL, as an OLE DB provider reports it
inline constexpr qint32 NoUnitOfWork = -2147168242;    // XACT_E_NOTRANSACTION
inline const QString& Source = ComponentNames::AppConnection;
}

}
