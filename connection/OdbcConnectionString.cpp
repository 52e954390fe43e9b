#include "OdbcConnectionString.h"

#include <QRegularExpression>
#include <QStringList>

#include <odbcinst.h>

namespace vellbatchrule {

namespace OdbcConnectionString {

namespace {

// A data source's setting from odbc.ini, as the driver manager finds it.
QString DataSourceSetting(const QString& dataSource, const char* key)
{
    char value[1024] = {};
    const QByteArray section = dataSource.toUtf8();
    SQLGetPrivateProfileString(section.constData(), key, "", value, sizeof(value), "odbc.ini");
    return QString::fromUtf8(value);
}

}

QString Value(const QString& connectionString, const QString& key)
{
    qsizetype at = 0;
    while (at < connectionString.size()) {
        const qsizetype equals = connectionString.indexOf(QLatin1Char('='), at);
        if (equals < 0)
            break;
        const QString name = connectionString.mid(at, equals - at).trimmed();
        qsizetype valueAt = equals + 1;
        QString value;
        if (connectionString.mid(valueAt).trimmed().startsWith(QLatin1Char('{'))) {
            valueAt = connectionString.indexOf(QLatin1Char('{'), valueAt) + 1;
            const qsizetype close = connectionString.indexOf(QLatin1Char('}'), valueAt);
            value = connectionString.mid(valueAt, close < 0 ? -1 : close - valueAt);
            at = close < 0 ? connectionString.size() : connectionString.indexOf(QLatin1Char(';'), close);
        } else {
            const qsizetype end = connectionString.indexOf(QLatin1Char(';'), valueAt);
            value = connectionString.mid(valueAt, end < 0 ? -1 : end - valueAt).trimmed();
            at = end;
        }
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
        if (at < 0)
            break;
        ++at;
    }
    return QString();
}

QString Masked(const QString& connectionString)
{
    static const QRegularExpression password(QStringLiteral(R"(((?:^|;)\s*(?:PWD|Password)\s*=\s*)(\{(?:[^}]|\}\})*\}?|[^;]*))"),
                                             QRegularExpression::CaseInsensitiveOption);
    return QString(connectionString).replace(password, QStringLiteral("\\1****"));
}

QString ForQtDriver(const QString& connectionString)
{
    // The driver's own test: a file DSN, or a driver or server named, goes to the driver manager as it is.
    for (const char* named : {".dsn", "DRIVER=", "SERVER="})
        if (connectionString.contains(QLatin1String(named), Qt::CaseInsensitive))
            return connectionString;
    static const QRegularExpression dataSource(QStringLiteral(R"((?:^|;)\s*DSN\s*=\s*([^;]*);?)"),
                                               QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = dataSource.match(connectionString);
    if (!match.hasMatch())
        return connectionString;
    const QString pair = match.captured(0);
    const bool between = pair.startsWith(QLatin1Char(';')) && pair.endsWith(QLatin1Char(';'));
    const QString rest =
        QString(connectionString).replace(match.capturedStart(), match.capturedLength(), between ? QStringLiteral(";") : QString());
    return match.captured(1).trimmed() + (rest.isEmpty() ? QString() : QLatin1Char(';') + rest);
}

QString SqliteDatabaseFile(const QString& connectionString)
{
    const QString dataSource = Value(connectionString, QStringLiteral("DSN"));
    QString driver = Value(connectionString, QStringLiteral("DRIVER"));
    QString database = Value(connectionString, QStringLiteral("Database"));
    if (!dataSource.isEmpty()) {
        if (driver.isEmpty())
            driver = DataSourceSetting(dataSource, "Driver");
        if (database.isEmpty())
            database = DataSourceSetting(dataSource, "Database");
    }
    return driver.contains(QStringLiteral("sqlite"), Qt::CaseInsensitive) ? database : QString();
}

}

}
