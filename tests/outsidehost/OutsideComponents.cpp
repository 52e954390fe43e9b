#include "OutsideComponents.h"

#include <vellbatchrule/AppConnection.h>
#include <vellbatchrule/ComponentNames.h>
#include <vellbatchrule/ComponentRegistry.h>
#include <vellbatchrule/DataAccess.h>
#include <vellbatchrule/GlossaLoader.h>
#include <vellbatchrule/ShareProps.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

using namespace vellbatchrule;

namespace {

// A database without rows: every query answers nothing.
class EmptyConnection : public AppConnection {
public:
    std::unique_ptr<Recordset> Execute(const QString&) override
    {
        ++batches;
        return nullptr;
    }
    void BeginTrans() override {}
    void CommitTrans() override {}
    void RollbackTrans() override {}
    static inline int batches = 0;
};

class OwnSession : public ShareProps {
public:
    QVariant GetProperty(quint32, const QString& name) override
    {
        return name == QStringLiteral("PropsString") ? QVariant(QStringLiteral("UserID=1;LANGUAGE=chs")) : QVariant();
    }
};

class NoAccessRules : public DataAccess {
public:
    bool IsUsed(const QString&, qint32) override { return false; }
    ValueBag GetRowAccessInfo(const QString&, qint32, const ValueList&) override { return {}; }
    ValueBag GetAccessDataSQL(const ValueList&, const ValueBag&) override { return {}; }
    ValueBag GetAccessDataSQL2(const ValueList&, const ValueBag&) override { return {}; }
};

class OwnFonts : public GlossaLoader {
public:
    ValueList LoadGlossaStrings(QObject*, const QString&, const QString&, const QString&, ValueBag&) override { return {}; }
    void SetFrmFont(QObject*, const QString&) override {}
    ValueBag GetVellFontProps(const QString&) override { return {}; }
};

}

void outside_register_components(void)
{
    auto& registry = ComponentRegistry::Instance();
    registry.Register(ComponentNames::AppConnection, [] { return std::make_shared<EmptyConnection>(); });
    registry.Register(ComponentNames::ShareProps, [] { return std::make_shared<OwnSession>(); });
    registry.Register(ComponentNames::DataAccess, [] { return std::make_shared<NoAccessRules>(); });
    registry.Register(ComponentNames::GlossaLoader, [] { return std::make_shared<OwnFonts>(); });
}

void outside_close_main_window_after(int milliseconds)
{
    static int argc = 1;
    static char name[] = "outside-host";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
    QTimer::singleShot(milliseconds, [] {
        QWidget* window = QApplication::activeModalWidget();
        std::printf("closing %s after %d batches\n", window ? qPrintable(window->objectName()) : "nothing",
                    EmptyConnection::batches);
        std::fflush(stdout);
        if (window)
            window->close();
    });
}
