#include "ComponentRegistry.h"

namespace vellbatchrule {

ComponentRegistry& ComponentRegistry::Instance()
{
    static ComponentRegistry registry;
    return registry;
}

void ComponentRegistry::Register(const QString& name, Factory factory)
{
    QMutexLocker lock(&mutex_);
    factories_.insert(name.toLower(), std::move(factory));
}

void ComponentRegistry::Unregister(const QString& name)
{
    QMutexLocker lock(&mutex_);
    factories_.remove(name.toLower());
}

void ComponentRegistry::RegisterDefault(const QString& name, Factory factory)
{
    QMutexLocker lock(&mutex_);
    defaults_.insert(name.toLower(), std::move(factory));
}

bool ComponentRegistry::IsRegistered(const QString& name) const
{
    QMutexLocker lock(&mutex_);
    return factories_.contains(name.toLower());
}

std::shared_ptr<HostComponent> ComponentRegistry::CreateObject(const QString& name) const
{
    Factory factory;
    {
        QMutexLocker lock(&mutex_);
        factory = factories_.value(name.toLower(), defaults_.value(name.toLower()));
    }
    // Registered names are matched without regard to case, as class names were.
    if (!factory)
        throw HostError(ErrorNotRegistered,
                        QStringLiteral("Cannot create the component '%1': neither the host nor the library has a factory under that name")
                            .arg(name),
                        QStringLiteral("ComponentRegistry"));
    auto object = factory();
    if (!object)
        throw HostError(ErrorNotRegistered,
                        QStringLiteral("The factory of '%1' made no object").arg(name),
                        QStringLiteral("ComponentRegistry"));
    return object;
}

}
