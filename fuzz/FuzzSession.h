#pragma once

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "MMTS.h"
#include "ModuleState.h"
#include "ResourceLoader.h"
#include "ShareProps.h"

#include <memory>

namespace vellfuzz {

using namespace vellbatchrule;

// The host's property store holding one property string.
class OneProps : public ShareProps {
public:
    static inline QString props;
    QVariant GetProperty(quint32, const QString& name) override
    {
        return name == QStringLiteral("PropsString") ? QVariant(props) : QVariant();
    }
};

// The session in Simplified Chinese, whose texts are their own translation.
class SourceTexts : public ResourceLoader {
public:
    void SetResFileBaseName(const QString&) override {}
    void SetLanguageID(const QString&) override {}
    QString LoadString(const QString& sourceText) override { return sourceText; }
};

// The thread as a command finds it: the session read from the host's property string.
inline void OpenSession(const QString& props = QStringLiteral("UserID=16394;LANGUAGE=chs;SUBID=IC"))
{
    OneProps::props = props;
    ComponentRegistry::Instance().Register(ComponentNames::ShareProps, [] { return std::make_shared<OneProps>(); });
    ComponentRegistry::Instance().Register(ComponentNames::ResourceLoader, [] { return std::make_shared<SourceTexts>(); });
    MMTS::ParsePropsString(MMTS::GetPropsString());
}

}
