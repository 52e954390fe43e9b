// The ODBC connection string of --db: its values as the driver manager reads
// them, and the masking every message and trace relies on.
#include "FuzzCheck.h"
#include "OdbcConnectionString.h"

#include <QHash>

using namespace vellbatchrule;

namespace {

QHash<QChar, int> Counts(const QString& text)
{
    QHash<QChar, int> counts;
    for (const QChar c : text)
        ++counts[c];
    return counts;
}

}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QString text = vellfuzz::Text(data, size);
    for (const char* key : {"DSN", "DRIVER", "Database", "UID", "SERVER"})
        OdbcConnectionString::Value(text, QLatin1String(key));
    OdbcConnectionString::ForQtDriver(text);
    if (size < 256)   // a DSN is looked up in odbc.ini: keep the files' reads few
        OdbcConnectionString::SqliteDatabaseFile(text);

    // Whatever the masking shows in place of a password, no character of the
    // password as the driver manager reads it is left standing: the masked
    // string has each character (but the mask's "*") at most as often as the
    // string without its passwords.
    const QString masked = OdbcConnectionString::Masked(text);
    QHash<QChar, int> left = Counts(text);
    const QString pwd = OdbcConnectionString::Value(text, QStringLiteral("PWD"));
    const QString password = OdbcConnectionString::Value(text, QStringLiteral("Password"));
    for (const QString& secret : {pwd, password})
        for (const QChar c : secret)
            --left[c];
    const QHash<QChar, int> shown = Counts(masked);
    for (auto it = shown.begin(); it != shown.end(); ++it)
        if (it.key() != QLatin1Char('*'))
            FUZZ_CHECK(it.value() <= left.value(it.key()),
                       QStringLiteral("%1 → %2 (password \"%3\")").arg(text, masked, pwd.isEmpty() ? password : pwd));
    return 0;
}
