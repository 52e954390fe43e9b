#pragma once

#include <QString>
#include <QVariant>

namespace vellbatchrule {

class ValueList;

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

// Asks the host's access-rights service for the FROM and WHERE fragments
// that narrow a query to the user's rows. Fragments stay as given when no
// restriction applies; the service's errors reach the caller unchanged.
bool GetDataAccessFilter(const QString& propsString, qint32 userId, const ValueList& tables, const ValueList& mappings,
                         QString& fromFragment, QString& whereFragment, bool firstForm);

inline const QString HelpTopic = QStringLiteral("ICBatchCodeRule");

// Opens the help topic when the key is F1 (VirtualKeys::F1, true); any other key does nothing.
// A viewer that cannot be made or fails reaches the caller.
bool ShowHelpForKey(qint32 keyCode, qint32 number1, const QString& topic, qint32 number2, const QString& subsystemId,
                    qint32 number3);

}

}
