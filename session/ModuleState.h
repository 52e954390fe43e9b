#pragma once

#include "AppConnection.h"
#include "GlossaLoader.h"
#include "HelpViewer.h"
#include "ResourceLoader.h"
#include "TextFormatter.h"
#include "ValueBag.h"

#include <QHash>
#include <QString>
#include <memory>
#include <optional>

namespace vellbatchrule {

// The session table: keys unique and compared without regard to letter case.
class SessionTable {
public:
    // A key already present throws HostError.
    void Add(const QString& key, const QString& value);
    // A missing key throws HostError.
    QString Value(const QString& key) const;
    bool Contains(const QString& key) const;
    int Count() const { return int(values_.size()); }

private:
    QHash<QString, QString> values_;   // keyed by the case-folded key
};

// The component's state, one copy per thread: nothing crosses threads.
struct ModuleState {
    std::shared_ptr<AppConnection> hostConnection;
    std::optional<SessionTable> sessionProps;   // absent until the first parse
    ValueBag propertyList;                       // the property catalogue, filled at the main window's load

    // Kept once made, never released while the component is loaded.
    QString languageCode;                        // read from the session while empty
    std::shared_ptr<ResourceLoader> resourceLoader;
    std::shared_ptr<GlossaLoader> formLoader;    // for window fonts
    std::shared_ptr<TextFormatter> textFormatter;
    std::shared_ptr<HelpViewer> helpViewer;
};

ModuleState& CurrentModuleState();

// The thread's host connection; a thread without one throws HostError.
AppConnection& CurrentHostConnection();

}
