#pragma once

#include "TestSupport.h"
#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "MessageBox.h"
#include "ModuleState.h"
#include "ResourceLoader.h"

#include <QHash>
#include <QStringList>

// A message box that records what the user would have seen.
class RecordingMessageBox : public MessageBox {
public:
    struct Shown {
        QString text, title;
        Icon icon;
    };
    static inline QList<Shown> shown;

    void Show(const QString& text, const QString& title, Icon icon) override { shown.append({text, title, icon}); }

    static void Register()
    {
        shown.clear();
        ComponentRegistry::Instance().Register(ComponentNames::MessageBox,
                                               [] { return std::make_shared<RecordingMessageBox>(); });
    }
};

// A string loader with a fixed dictionary per language, recording what it was asked.
class DictionaryLoader : public ResourceLoader {
public:
    static inline QHash<QString, QHash<QString, QString>> dictionary;   // language → source → translation
    static inline QStringList asked;
    static inline QStringList settings;
    static inline int created = 0;

    DictionaryLoader() { ++created; }
    void SetResFileBaseName(const QString& baseName) override { settings << "base=" + baseName; }
    void SetLanguageID(const QString& code) override
    {
        language_ = code;
        settings << "language=" + code;
    }
    QString LoadString(const QString& text) override
    {
        asked << text;
        return dictionary.value(language_.toLower()).value(text, text);
    }

    static void Register()
    {
        asked.clear();
        settings.clear();
        created = 0;
        ComponentRegistry::Instance().Register(ComponentNames::ResourceLoader,
                                               [] { return std::make_shared<DictionaryLoader>(); });
    }

private:
    QString language_;
};

// Starts each test with a new thread state, as a new thread would.
inline void ResetModuleState()
{
    CurrentModuleState() = ModuleState();
}
