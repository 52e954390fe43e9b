#include "OdbcConnectionString.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <functional>

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

// One KEY=value pair as the driver manager reads it: the name trimmed; the
// value trimmed, or the text between its braces; where the value starts (its
// first non-blank) and where the pair ends (at its ";" or the string's end).
struct Pair {
    QString name;
    QString value;
    qsizetype valueStart;
    qsizetype end;
};

// Hands each pair to `visit` until it answers true.
void ForEachPair(const QString& connectionString, const std::function<bool(const Pair&)>& visit)
{
    const QString& s = connectionString;
    qsizetype at = 0;
    while (at < s.size()) {
        const qsizetype equals = s.indexOf(QLatin1Char('='), at);
        if (equals < 0)
            break;
        Pair pair{s.mid(at, equals - at).trimmed(), QString(), equals + 1, s.size()};
        while (pair.valueStart < s.size() && s[pair.valueStart].isSpace())
            ++pair.valueStart;
        if (pair.valueStart < s.size() && s[pair.valueStart] == QLatin1Char('{')) {
            const qsizetype valueAt = pair.valueStart + 1;
            const qsizetype close = s.indexOf(QLatin1Char('}'), valueAt);
            pair.value = s.mid(valueAt, close < 0 ? -1 : close - valueAt);
            at = close < 0 ? s.size() : s.indexOf(QLatin1Char(';'), close);
        } else {
            at = s.indexOf(QLatin1Char(';'), equals + 1);
            pair.value = s.mid(equals + 1, at < 0 ? -1 : at - equals - 1).trimmed();
        }
        pair.end = at < 0 ? s.size() : at;
        pair.valueStart = std::min(pair.valueStart, pair.end);
        if (visit(pair) || at < 0)
            return;
        ++at;
    }
}

bool IsPasswordKey(const QString& name)
{
    return name.compare(QLatin1String("PWD"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0;
}

}

QString Value(const QString& connectionString, const QString& key)
{
    QString value;
    ForEachPair(connectionString, [&](const Pair& pair) {
        if (pair.name.compare(key, Qt::CaseInsensitive) != 0)
            return false;
        value = pair.value;
        return true;
    });
    return value;
}

QString Masked(const QString& connectionString)
{
    // What the driver manager reads as a password, and what a reader taking
    // "}}" in braces for a brace would read as one: each hidden, once.
    QList<std::pair<qsizetype, qsizetype>> hidden;
    ForEachPair(connectionString, [&](const Pair& pair) {
        if (IsPasswordKey(pair.name))
            hidden.append({pair.valueStart, pair.end});
        return false;
    });
    static const QRegularExpression password(QStringLiteral(R"(((?:^|;)\s*(?:PWD|Password)\s*=\s*)(\{(?:[^}]|\}\})*\}?|[^;]*))"),
                                             QRegularExpression::CaseInsensitiveOption);
    for (auto matches = password.globalMatch(connectionString); matches.hasNext();) {
        const QRegularExpressionMatch match = matches.next();
        hidden.append({match.capturedStart(2), match.capturedEnd(2)});
    }
    std::sort(hidden.begin(), hidden.end());
    QString masked;
    qsizetype at = 0;
    for (qsizetype i = 0; i < hidden.size();) {
        const qsizetype from = hidden[i].first;
        qsizetype to = hidden[i].second;
        for (++i; i < hidden.size() && hidden[i].first <= to; ++i)
            to = std::max(to, hidden[i].second);
        masked += QStringView(connectionString).mid(at, from - at);
        masked += QLatin1String("****");
        at = to;
    }
    return masked += QStringView(connectionString).mid(at);
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
