#pragma once

#include <QString>

namespace vellbatchrule {

// What the stand-alone host was started with.
struct HostSettings {
    QString database;      // a SQLite file, or an ODBC connection string
    QString propsString;   // the session handed to the component
    QString resourceDir;   // holds translations/ and help/; empty: next to the program
    bool dialogs = true;   // messages open as boxes; else they go to standard error
};

// The session the host hands over when none is given.
QString DefaultPropsString();

// The language code of the session handed over ("" when it names none).
QString SessionLanguage();

// Registers every host component under its name and publishes the session.
void RegisterHostComponents(const HostSettings& settings);

}
