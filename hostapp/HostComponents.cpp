#include "HostComponents.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "SharePropsStore.h"
#include "SqlConnection.h"

QString DefaultPropsString()
{
    return QStringLiteral("UserID=16394;UserName=administrator;LANGUAGE=chs;SUBID=IC;AcctName={演示账套;2026}");
}

void RegisterHostComponents(const HostSettings& settings)
{
    auto& registry = ComponentRegistry::Instance();
    const QString database = settings.database;
    registry.Register(ComponentNames::AppConnection, [database] { return std::make_shared<SqlConnection>(database); });
    registry.Register(ComponentNames::ShareProps, [] { return std::make_shared<SharePropsStore>(); });
    SharePropsStore::SetProperty(QStringLiteral("PropsString"), settings.propsString);
}
