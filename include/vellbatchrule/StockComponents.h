#pragma once

#include "VellBatchRuleExport.h"

#include <QString>

namespace vellbatchrule {

// The library's own host components: the connection (SQLite or ODBC), the
// session store, the grants of t_UserGroupAccess, the translations and
// fonts, the help viewer, the text formatter and the message boxes. They
// are defaults: a component the host registers itself under the same name
// is the one created.
struct StockSettings {
    QString connection;    // a SQLite file, or an ODBC connection string ("DRIVER=…" or "DSN=…")
    QString propsString;   // the session, published as the property PropsString: "UserID=16394;LANGUAGE=en"
    QString resourceDir;   // holds translations/ and help/; empty: ComponentResourceDir()
    bool dialogs = true;   // messages as boxes where there is a QApplication; else on standard error
};

// Makes the stock components the defaults and publishes the session. Called
// again, the later settings hold.
VELLBATCHRULE_EXPORT void UseStockComponents(const StockSettings& settings);

// The language code the published session names ("" when it names none).
VELLBATCHRULE_EXPORT QString SessionLanguage();

// Whether the stock connection opens `connection` through ODBC rather than as a SQLite file.
VELLBATCHRULE_EXPORT bool IsOdbcConnectionString(const QString& connection);

// The connection as a message may show it: the value of every password key
// (PWD=, Password=) is "****", whether the text turned out to be a
// connection string, a mistyped one or a file name.
VELLBATCHRULE_EXPORT QString ShownConnection(const QString& connection);

// Where the component's translations/ and help/ are: beside the library in
// the build tree, in the data folder the library was installed with otherwise.
VELLBATCHRULE_EXPORT QString ComponentResourceDir();

// Why no window can open here ("" when one can): without a display Qt
// would only abort. Asked before any application object is made.
VELLBATCHRULE_EXPORT QString WindowSystemProblem();

// A row of t_UserGroupAccess with this group number lifts every restriction
// of its user; a user without rows there sees nothing.
inline const QString EveryGroupGrant = QStringLiteral("*");

}
