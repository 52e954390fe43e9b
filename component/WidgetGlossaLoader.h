#pragma once

#include "GlossaLoader.h"

#include <QString>

class QWidget;

namespace vellbatchrule {

// The host's form loader: translates every text a window shows (title,
// labels, buttons, check and option boxes, group and tab captions, actions,
// tooltips, table headers) and sets the language's window font.
class WidgetGlossaLoader : public GlossaLoader {
public:
    explicit WidgetGlossaLoader(QString translationsDir);

    ValueList LoadGlossaStrings(QObject* window, const QString& languageCode, const QString& reserved,
                                const QString& resourceKey, ValueBag& options) override;
    void SetFrmFont(QObject* window, const QString& languageCode) override;
    ValueBag GetVellFontProps(const QString& languageCode) override;

    // The host's windows and printouts ask for the fonts of the host platform
    // (宋体, 新細明體, Arial); this one's stand in for them wherever they are missing.
    static void InstallFontSubstitutes();

private:
    QString dir_;
};

}
