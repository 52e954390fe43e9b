#include "Commands.h"

#include "AppConnection.h"
#include "BatRuleFace.h"
#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "DemoDatabase.h"
#include "HostError.h"
#include "TabSeparatedRows.h"

#include <QStringList>

namespace vellbatchrule {

namespace {

std::shared_ptr<AppConnection> Connect()
{
    return ComponentRegistry::Instance().Create<AppConnection>(ComponentNames::AppConnection);
}

int Report(const HostError& error, QTextStream& err)
{
    err << error.Description() << '\n';
    return 1;
}

}

namespace Commands {

int Sql(QTextStream& in, QTextStream& out, QTextStream& err)
{
    try {
        const auto rows = Connect()->Execute(in.readAll());
        if (rows)
            PrintTabSeparated(*rows, out);
        return 0;
    } catch (const HostError& error) {
        return Report(error, err);
    }
}

int DemoDb(const QString& file, int groups, int materials, QTextStream& out, QTextStream& err)
{
    try {
        if (groups > 0 || materials > 0)
            DemoDatabase::WriteSynthetic(file, groups, materials);
        else
            DemoDatabase::WriteHandMade(file);
        out << "Wrote " << file << '\n';
        return 0;
    } catch (const HostError& error) {
        return Report(error, err);
    }
}

int MainWindow(QTextStream& err)
{
    try {
        BatRuleFace face;
        face.Show();
        return 0;
    } catch (const HostError& error) {
        return Report(error, err);
    }
}

}

}
