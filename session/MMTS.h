#pragma once

#include <QString>
#include <QVariant>

// The session: the host's property string, parsed into the thread's session
// table, and the accessors the other subsystems read it through.
namespace MMTS {

QString GetPropsString();
QVariant ReadSharedProperty(const QString& name);

// Parsing steps; each takes its head from rest and shortens rest in place.
QString SplitFirst(QString& rest, const QString& separator);
QString NextPropKey(QString& rest);
QString NextPropValue(QString& rest);

bool ParsePropsString(const QString& text);
QString GetSessionValue(const QString& key);
qint32 GetSessionUserID();

// Searches the raw property string; never fails.
QString FindPropValue(const QString& key);

}
