#include "Commands.h"
#include "HostComponents.h"
#include "RuleCommands.h"
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
    parser.setApplicationDescription(QStringLiteral(
        "Batch-number rules of the inventory module.\n"
        "  vell-batchrule --db FILE                      show what the database holds\n"
        "  vell-batchrule sql --db FILE < batch.sql      run one Transact-SQL batch\n"
        "  vell-batchrule demo-db --out FILE [--groups N --materials M]\n"
        "  vell-batchrule rule show --db FILE (--item ID | --group ID)\n"
        "  vell-batchrule rule set --db FILE (--item ID | --group ID) [--spare-own-rules | --replace-own-rules]\n"
        "                 ELEMENT...   each property[:format[:length[:pad[:substitute]]]]\n"
        "  vell-batchrule options show|set --db FILE [KEY=0|1 ...]"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("sql, demo-db, rule or options"));
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("SQLite file or ODBC connection string."),
                                QStringLiteral("FILE"));
    const QCommandLineOption props(QStringLiteral("props"), QStringLiteral("The session's property string."),
                                   QStringLiteral("TEXT"), DefaultPropsString());
    const QCommandLineOption outFile(QStringLiteral("out"), QStringLiteral("File demo-db writes."), QStringLiteral("FILE"));
    const QCommandLineOption groups(QStringLiteral("groups"), QStringLiteral("Synthetic groups."), QStringLiteral("N"), "0");
    const QCommandLineOption materials(QStringLiteral("materials"), QStringLiteral("Synthetic materials."),
                                       QStringLiteral("M"), "0");
    const QCommandLineOption item(QStringLiteral("item"), QStringLiteral("The material whose rule is meant."),
                                  QStringLiteral("ID"));
    const QCommandLineOption group(QStringLiteral("group"), QStringLiteral("The material group whose rule is meant (0: all)."),
                                   QStringLiteral("ID"));
    const QCommandLineOption spare(QStringLiteral("spare-own-rules"),
                                   QStringLiteral("A group rule leaves materials with their own rule alone."));
    const QCommandLineOption replace(QStringLiteral("replace-own-rules"),
                                     QStringLiteral("A group rule replaces the rules of all its materials."));
    parser.addOptions({db, props, outFile, groups, materials, item, group, spare, replace});
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
    const HostSettings settings{parser.value(db), parser.value(props), QString()};
    RegisterHostComponents(settings);

    if (command == QStringLiteral("sql"))
        return Commands::Sql(in, out, err);
    if (command == QStringLiteral("rule")) {
        if (parser.isSet(item) == parser.isSet(group))
            return Usage(parser, err, QStringLiteral("rule needs either --item ID or --group ID."));
        if (parser.isSet(spare) && parser.isSet(replace))
            return Usage(parser, err, QStringLiteral("--spare-own-rules and --replace-own-rules exclude each other."));
        RuleCommands::Target target;
        bool numeric = false;
        (parser.isSet(item) ? target.itemId : target.groupId) =
            (parser.isSet(item) ? parser.value(item) : parser.value(group)).toInt(&numeric);
        if (!numeric)
            return Usage(parser, err, QStringLiteral("--item and --group take a number."));
        if (args.value(1) == QStringLiteral("show") && args.size() == 2)
            return RuleCommands::ShowRule(target, out);
        if (args.value(1) == QStringLiteral("set"))
            return RuleCommands::SetRule(target, args.mid(2), parser.isSet(spare) ? 1 : parser.isSet(replace) ? 0 : -1,
                                         out);
        return Usage(parser, err, QStringLiteral("rule show or rule set ELEMENT..."));
    }
    if (command == QStringLiteral("options")) {
        if (args.value(1) == QStringLiteral("show") && args.size() == 2)
            return RuleCommands::ShowOptions(out);
        if (args.value(1) == QStringLiteral("set") && args.size() > 2)
            return RuleCommands::SetOptions(args.mid(2), out);
        return Usage(parser, err, QStringLiteral("options show, or options set KEY=0|1..."));
    }
    if (!command.isEmpty())
        return Usage(parser, err, QStringLiteral("Unknown command '%1'.").arg(command));

    if (!SqlConnection::IsOdbcConnectionString(settings.database) && !QFileInfo::exists(settings.database)) {
        const int written = Commands::DemoDb(settings.database, 0, 0, out, err);
        if (written != 0)
            return written;
    }
    return Commands::Summary(out, err);
}
