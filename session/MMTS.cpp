#include "MMTS.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "DataAccess.h"
#include "HelpViewer.h"
#include "HostError.h"
#include "HostErrors.h"
#include "HostText.h"
#include "ModuleState.h"
#include "ShareProps.h"
#include "VirtualKeys.h"

#include <QCoreApplication>

namespace vellbatchrule {

namespace MMTS {

QVariant ReadSharedProperty(const QString& name)
{
    auto store = ComponentRegistry::Instance().Create<ShareProps>(ComponentNames::ShareProps);
    const auto processId = quint32(QCoreApplication::applicationPid());
    // The store is asked twice: once whether the value is an object, once to take it.
    const bool isObject = store->GetProperty(processId, name).canConvert<QObject*>();
    const QVariant value = store->GetProperty(processId, name);
    return isObject ? QVariant::fromValue(value.value<QObject*>()) : value;
}

QString GetPropsString()
{
    return ReadSharedProperty(QStringLiteral("PropsString")).toString();
}

QString SplitFirst(QString& rest, const QString& separator)
{
    const qsizetype at = rest.indexOf(separator);
    if (at >= 0) {
        const QString head = rest.left(at);
        rest = rest.mid(at + separator.size());
        return head;
    }
    const QString head = rest;
    rest.clear();
    return head;
}

QString NextPropKey(QString& rest)
{
    return HostText::TrimBlanks(SplitFirst(rest, QStringLiteral("=")));
}

QString NextPropValue(QString& rest)
{
    rest = HostText::TrimBlanks(rest);
    QString value;
    if (rest.startsWith(QLatin1Char('{'))) {
        rest.remove(0, 1);
        value = SplitFirst(rest, QStringLiteral("}"));
        SplitFirst(rest, QStringLiteral(";"));   // what stands between "}" and ";" is dropped
    } else {
        value = SplitFirst(rest, QStringLiteral(";"));
    }
    return HostText::TrimBlanks(value);
}

bool ParsePropsString(const QString& text)
{
    auto& props = CurrentModuleState().sessionProps;
    props.emplace();
    QString rest = text;
    for (;;) {
        const QString key = NextPropKey(rest);
        const QString value = NextPropValue(rest);
        if (key.isEmpty())
            break;
        props->Add(key, value);   // a repeated key ends the parse; what was added stays
    }
    return true;
}

QString GetSessionValue(const QString& key)
{
    const auto& props = CurrentModuleState().sessionProps;
    if (!props)
        throw HostError(HostErrors::ObjectNotSet, QStringLiteral("The session has not been read yet"),
                        QStringLiteral("VellBatchRule.Session"));
    return props->Value(key);
}

qint32 GetSessionUserID()
{
    return HostText::ToLong(GetSessionValue(QStringLiteral("UserID")));
}

QString FindPropValue(const QString& key)
{
    try {
        QString s = GetPropsString();
        if (!s.endsWith(QLatin1Char(';')))
            s += QLatin1Char(';');
        const QString needle = key + QLatin1Char('=');
        const qsizetype at = s.indexOf(needle, 0, Qt::CaseInsensitive);
        if (at < 0)
            return QString();
        const QString tail = s.mid(at);
        return tail.left(tail.indexOf(QLatin1Char(';'))).mid(needle.size());
    } catch (...) {
        return QString();
    }
}

bool GetDataAccessFilter(const QString& propsString, qint32 userId, const ValueList& tables, const ValueList& mappings,
                         QString& fromFragment, QString& whereFragment, bool firstForm)
{
    // The service object is released on every way out, errors included.
    auto service = ComponentRegistry::Instance().Create<DataAccess>(ComponentNames::DataAccess);
    if (!service->IsUsed(propsString, userId))
        return true;
    const ValueBag accessInfo =
        tables.Count() > 0 ? service->GetRowAccessInfo(propsString, userId, tables) : ValueBag();
    if (mappings.Count() > 0) {
        const ValueBag fragments = firstForm ? service->GetAccessDataSQL(mappings, accessInfo)
                                             : service->GetAccessDataSQL2(mappings, accessInfo);
        fromFragment = fragments.Get(QStringLiteral("From")).toString();
        whereFragment = fragments.Get(QStringLiteral("Where")).toString();
    }
    return true;
}

bool ShowHelpForKey(qint32 keyCode, qint32 number1, const QString& topic, qint32 number2, const QString& subsystemId,
                    qint32 number3)
{
    if (keyCode != VirtualKeys::F1)
        return false;
    auto& viewer = CurrentModuleState().helpViewer;
    if (!viewer)
        viewer = ComponentRegistry::Instance().Create<HelpViewer>(ComponentNames::HelpViewer);
    QString topicArg = topic;
    QString subsystemArg = subsystemId;
    viewer->ShowHELP(number1, 0, topicArg, number2, subsystemArg, number3);
    return true;
}

}

}
