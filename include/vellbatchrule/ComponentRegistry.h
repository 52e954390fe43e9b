#pragma once

#include "VellBatchRuleExport.h"

#include "HostComponent.h"
#include "HostError.h"

#include <QHash>
#include <QMutex>
#include <QString>
#include <functional>
#include <memory>

namespace vellbatchrule {

// Maps a registered component name to the factory that makes it, as the
// platform's registration did. The host fills it at start; the system only
// creates by name. A name the host has not registered falls back to the
// library's default (UseStockComponents), if there is one.
class VELLBATCHRULE_EXPORT ComponentRegistry {
public:
    using Factory = std::function<std::shared_ptr<HostComponent>()>;

    static ComponentRegistry& Instance();

    void Register(const QString& name, Factory factory);
    // Takes away the host's own factory; the default, if any, is created again.
    void Unregister(const QString& name);
    bool IsRegistered(const QString& name) const;
    void RegisterDefault(const QString& name, Factory factory);

    std::shared_ptr<HostComponent> CreateObject(const QString& name) const;

    // Creates the component and checks that it offers the interface T.
    template <typename T>
    std::shared_ptr<T> Create(const QString& name) const
    {
        auto object = std::dynamic_pointer_cast<T>(CreateObject(name));
        if (!object)
            throw HostError(ErrorWrongInterface,
                            QStringLiteral("Component '%1' does not offer the expected interface").arg(name),
                            QStringLiteral("ComponentRegistry"));
        return object;
    }

    static constexpr qint32 ErrorNotRegistered = 429;   // "can't create object"
    static constexpr qint32 ErrorWrongInterface = 13;   // "type mismatch"

private:
    mutable QMutex mutex_;
    QHash<QString, Factory> factories_;
    QHash<QString, Factory> defaults_;
};

}
