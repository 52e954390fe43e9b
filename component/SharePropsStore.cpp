#include "SharePropsStore.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutex>

namespace vellbatchrule {

namespace {

struct Store {
    QMutex mutex;
    QHash<quint32, QHash<QString, QVariant>> properties;
};

Store& TheStore()
{
    static Store store;
    return store;
}

}

QVariant SharePropsStore::GetProperty(quint32 processId, const QString& name)
{
    Store& store = TheStore();
    QMutexLocker lock(&store.mutex);
    return store.properties.value(processId).value(name);
}

void SharePropsStore::SetProperty(quint32 processId, const QString& name, const QVariant& value)
{
    Store& store = TheStore();
    QMutexLocker lock(&store.mutex);
    store.properties[processId].insert(name, value);
}

void SharePropsStore::SetProperty(const QString& name, const QVariant& value)
{
    SetProperty(quint32(QCoreApplication::applicationPid()), name, value);
}

}
