#pragma once

#include <QString>
#include <QStringList>

namespace vellbatchrule {

class AppConnection;

// The batch issuer's own tables, which `vell-batchrule batch init` creates:
// the serials' counters (SerialCounter), the numbers issued (IssuedNumbers),
// the rule history (RuleHistory) and where each number came from (IssuedTrace).
namespace IssuerTables {

// The first of the tables that is missing, or empty.
QString FirstMissing(AppConnection& connection);
// Whether the table exists, asked outside a unit of work: a failed statement on it tells no more.
bool Exists(AppConnection& connection, const QString& table);
// Creates the tables that are missing, in one unit of work; their names.
QStringList CreateMissing(AppConnection& connection);

}

}
