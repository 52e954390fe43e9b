#pragma once

#include <QString>
#include <QStringList>

namespace vellbatchrule {

class AppConnection;

// The batch issuer's own tables, which `vell-batchrule batch init` creates:
// the serials' counters (SerialCounter) and the numbers issued (IssuedNumbers).
namespace IssuerTables {

// The first of the tables that is missing, or empty.
QString FirstMissing(AppConnection& connection);
// Creates the tables that are missing, in one unit of work; their names.
QStringList CreateMissing(AppConnection& connection);

}

}
