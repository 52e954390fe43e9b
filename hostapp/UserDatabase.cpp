#include "UserDatabase.h"

#include "StockComponents.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vellbatchrule::UserDatabase {

namespace {

const QString kLastOpened = QStringLiteral("lastDatabase");

// ~/.config/vell-batchrule/vell-batchrule.conf, whatever the application object is called.
QSettings Settings()
{
    return QSettings(QStringLiteral("vell-batchrule"), QStringLiteral("vell-batchrule"));
}

}

QString Choose()
{
    const QString last = Settings().value(kLastOpened).toString();
    if (!last.isEmpty() && QFileInfo(last).isFile())
        return last;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("demo.sqlite"));
}

void Remember(const QString& connection)
{
    if (IsOdbcConnectionString(connection))
        return;
    QSettings settings = Settings();
    settings.setValue(kLastOpened, QFileInfo(connection).absoluteFilePath());
}

}
