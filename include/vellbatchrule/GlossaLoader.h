#pragma once

#include "VellBatchRuleExport.h"

#include "HostComponent.h"
#include "ValueBag.h"
#include "ValueList.h"

class QObject;

namespace vellbatchrule {

// The host's form loader: a language's texts and fonts for a whole window.
class VELLBATCHRULE_EXPORT GlossaLoader : public HostComponent {
public:
    // options may be replaced by the loader.
    virtual ValueList LoadGlossaStrings(QObject* window, const QString& languageCode, const QString& reserved,
                                        const QString& resourceKey, ValueBag& options) = 0;
    virtual void SetFrmFont(QObject* window, const QString& languageCode) = 0;
    // "Font.Name" and "Font.Charset" of the language.
    virtual ValueBag GetVellFontProps(const QString& languageCode) = 0;
};

}
