#include "Commands.h"
#include "HostComponents.h"
#include "SqlConnection.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

int Usage(QCommandLineParser& parser, QTextStream& err, const QString& problem)
{
    err << problem << "\n\n" << parser.helpText();
    return 2;
}

}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vell-batchrule"));

    QTextStream in(stdin), out(stdout), err(stderr);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Batch-number rules of the inventory module."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("(none) show the database; sql: run a batch from standard input; "
                                                "demo-db: write a demo database"));
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("SQLite file or ODBC connection string."),
                                QStringLiteral("FILE"));
    const QCommandLineOption props(QStringLiteral("props"), QStringLiteral("The session's property string."),
                                   QStringLiteral("TEXT"), DefaultPropsString());
    const QCommandLineOption outFile(QStringLiteral("out"), QStringLiteral("File demo-db writes."), QStringLiteral("FILE"));
    const QCommandLineOption groups(QStringLiteral("groups"), QStringLiteral("Synthetic groups."), QStringLiteral("N"), "0");
    const QCommandLineOption materials(QStringLiteral("materials"), QStringLiteral("Synthetic materials."),
                                       QStringLiteral("M"), "0");
    parser.addOptions({db, props, outFile, groups, materials});
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    if (command == QStringLiteral("demo-db")) {
        if (!parser.isSet(outFile))
            return Usage(parser, err, QStringLiteral("demo-db needs --out FILE."));
        return Commands::DemoDb(parser.value(outFile), parser.value(groups).toInt(), parser.value(materials).toInt(),
                                out, err);
    }
    if (!parser.isSet(db))
        return Usage(parser, err, QStringLiteral("--db FILE is required."));
    const HostSettings settings{parser.value(db), parser.value(props)};
    RegisterHostComponents(settings);

    if (command == QStringLiteral("sql"))
        return Commands::Sql(in, out, err);
    if (!command.isEmpty())
        return Usage(parser, err, QStringLiteral("Unknown command '%1'.").arg(command));

    if (!SqlConnection::IsOdbcConnectionString(settings.database) && !QFileInfo::exists(settings.database)) {
        const int written = Commands::DemoDb(settings.database, 0, 0, out, err);
        if (written != 0)
            return written;
    }
    return Commands::Summary(out, err);
}
