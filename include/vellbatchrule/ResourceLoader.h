#pragma once

#include "VellBatchRuleExport.h"

#include "HostComponent.h"

#include <QString>

namespace vellbatchrule {

// The host's string loader: the Simplified-Chinese source text is the key.
class VELLBATCHRULE_EXPORT ResourceLoader : public HostComponent {
public:
    virtual void SetResFileBaseName(const QString& baseName) = 0;
    virtual void SetLanguageID(const QString& languageCode) = 0;
    // The translation, or the text itself when there is none.
    virtual QString LoadString(const QString& sourceText) = 0;
};

}
