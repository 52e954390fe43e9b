#include "AdminCommands.h"
#include "Commands.h"
#include "DemoDatabase.h"
#include "StockComponents.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QFileInfo>
#include <cstdio>
#include <optional>

using namespace vellbatchrule;

namespace {

// The options of vell-batchrule and the dispatch to its commands.
class CommandLine {
public:
    CommandLine()
    {
        parser_.setApplicationDescription(QStringLiteral(
            "Batch-number rules of the inventory module.\n"
            "  vell-batchrule --db FILE                      the main window (demo data when FILE is missing)\n"
            "  vell-batchrule show --db FILE                 print what the database holds\n"
            "  vell-batchrule sql --db FILE < batch.sql      run one Transact-SQL batch\n"
            "  vell-batchrule demo-db --out FILE [--groups N --materials M]\n"
            "  vell-batchrule rule show --db FILE (--item ID | --group ID)\n"
            "  vell-batchrule rule set --db FILE (--item ID | --group ID) [--spare-own-rules | --replace-own-rules]\n"
            "                 [--dry-run] ELEMENT...   each property[:format[:length[:pad[:substitute]]]]\n"
            "  vell-batchrule rule preview --db FILE (--item ID | --group ID) [--date YYYY-MM-DD] [--line N]\n"
            "                 [--value PROPERTY=TEXT]...\n"
            "  vell-batchrule rule lint --db FILE\n"
            "  vell-batchrule rule export --db FILE [--format csv|json] [--out RULES.csv]\n"
            "  vell-batchrule rule import --db FILE RULES.csv [--spare-own-rules | --replace-own-rules] [--dry-run]\n"
            "  vell-batchrule options show|set --db FILE [KEY=0|1 ...]\n"
            "  vell-batchrule edit --db FILE (--item ID | --group ID)   the rule editor window\n"
            "  vell-batchrule print --db FILE --group ID --pdf OUT.pdf  the group's ledger as printed"));
        parser_.addHelpOption();
        parser_.addPositionalArgument(QStringLiteral("command"), QStringLiteral("sql, demo-db, show, rule, options, edit or print"));
        parser_.addOptions({db_, props_, outFile_, groups_, materials_, item_, group_, spare_, replace_, pdf_, dryRun_,
                            date_, line_, value_, format_});
    }

    // The command word, read before any application object exists.
    QString CommandOf(const QStringList& arguments)
    {
        parser_.parse(arguments);
        return parser_.positionalArguments().value(0);
    }

    int Run(const QCoreApplication& app)
    {
        parser_.process(app);
        args_ = parser_.positionalArguments();
        const int code = Dispatch();
        return OutputWritten() ? code : 1;
    }

private:
    int Dispatch()
    {
        const QString command = args_.value(0);
        if (command == QStringLiteral("demo-db"))
            return DemoDb();
        if (!parser_.isSet(db_))
            return Usage(QStringLiteral("--db FILE is required."));
        // Only a window's messages open as boxes: a command's go to standard error, where someone reads them.
        const bool windows = command.isEmpty() || command == QStringLiteral("edit");
        UseStockComponents({parser_.value(db_), parser_.value(props_), ComponentResourceDir(), windows});
        if (command == QStringLiteral("sql"))
            return Commands::Sql(in_, out_, err_);
        if (command == QStringLiteral("rule"))
            return Rule();
        if (command == QStringLiteral("options"))
            return Options();
        if (command == QStringLiteral("edit"))
            return Edit();
        if (command == QStringLiteral("print"))
            return Print();
        if (command == QStringLiteral("show"))
            return AdminCommands::ShowDatabase(out_);
        if (!command.isEmpty())
            return Usage(QStringLiteral("Unknown command '%1'.").arg(command));
        return MainWindow();
    }

    // A command whose output was cut did not do what it was asked.
    bool OutputWritten()
    {
        out_.flush();
        if (out_.status() == QTextStream::Ok)
            return true;
        err_ << "vell-batchrule: the output could not be written: " << out_.device()->errorString() << '\n';
        return false;
    }

    int Usage(const QString& problem)
    {
        err_ << problem << "\n\n" << parser_.helpText();
        return 2;
    }

    int DemoDb()
    {
        if (!parser_.isSet(outFile_))
            return Usage(QStringLiteral("demo-db needs --out FILE."));
        return Commands::DemoDb(parser_.value(outFile_), parser_.value(groups_).toInt(), parser_.value(materials_).toInt(),
                                out_, err_);
    }

    // --item ID or --group ID; nullopt after the usage was printed.
    std::optional<RuleAdmin::Target> TargetOf(const QString& command)
    {
        if (parser_.isSet(item_) == parser_.isSet(group_)) {
            Usage(QStringLiteral("%1 needs either --item ID or --group ID.").arg(command));
            return std::nullopt;
        }
        RuleAdmin::Target target;
        bool numeric = false;
        const bool forItem = parser_.isSet(item_);
        (forItem ? target.itemId : target.groupId) = parser_.value(forItem ? item_ : group_).toInt(&numeric);
        if (!numeric) {
            Usage(QStringLiteral("--item and --group take a whole number."));
            return std::nullopt;
        }
        return target;
    }

    int Rule()
    {
        const QString action = args_.value(1);
        if (parser_.isSet(spare_) && parser_.isSet(replace_))
            return Usage(QStringLiteral("--spare-own-rules and --replace-own-rules exclude each other."));
        const RuleAdmin::OwnRules ownRules = parser_.isSet(spare_)     ? RuleAdmin::OwnRules::Spare
                                             : parser_.isSet(replace_) ? RuleAdmin::OwnRules::Replace
                                                                       : RuleAdmin::OwnRules::AsStored;
        if (const QString misplaced = MisplacedOption(action); !misplaced.isEmpty())
            return Usage(QStringLiteral("--%1 does not belong to rule %2.").arg(misplaced, action));
        if (action == QStringLiteral("lint") && args_.size() == 2)
            return AdminCommands::LintRules(out_);
        if (action == QStringLiteral("export") && args_.size() == 2)
            return Export();
        if (action == QStringLiteral("import") && args_.size() == 3)
            return AdminCommands::ImportRules(args_[2], ownRules, parser_.isSet(dryRun_), out_);
        if (action != QStringLiteral("show") && action != QStringLiteral("set") && action != QStringLiteral("preview"))
            return Usage(QStringLiteral("rule show, set, preview, lint, export or import."));
        const auto target = TargetOf(QStringLiteral("rule ") + action);
        if (!target)
            return 2;
        if (action == QStringLiteral("show") && args_.size() == 2)
            return AdminCommands::ShowRule(*target, out_);
        if (action == QStringLiteral("set"))
            return AdminCommands::SetRule(*target, args_.mid(2), ownRules, parser_.isSet(dryRun_), out_);
        if (action == QStringLiteral("preview") && args_.size() == 2)
            return Preview(*target);
        return Usage(QStringLiteral("rule %1 takes no further arguments.").arg(action));
    }

    // The name of an option given to a rule command that has no use for it.
    QString MisplacedOption(const QString& action) const
    {
        const std::pair<const QCommandLineOption*, QStringList> owners[] = {
            {&dryRun_, {QStringLiteral("set"), QStringLiteral("import")}},
            {&spare_, {QStringLiteral("set"), QStringLiteral("import")}},
            {&replace_, {QStringLiteral("set"), QStringLiteral("import")}},
            {&date_, {QStringLiteral("preview")}},
            {&line_, {QStringLiteral("preview")}},
            {&value_, {QStringLiteral("preview")}},
            {&format_, {QStringLiteral("export")}},
            {&outFile_, {QStringLiteral("export")}},
        };
        for (const auto& [option, actions] : owners)
            if (parser_.isSet(*option) && !actions.contains(action))
                return option->names().constFirst();
        return QString();
    }

    int Preview(const RuleAdmin::Target& target)
    {
        RuleAdmin::PreviewDocument document;
        if (parser_.isSet(date_)) {
            document.date = QDate::fromString(parser_.value(date_), Qt::ISODate);
            if (!document.date->isValid())
                return Usage(QStringLiteral("--date takes a date as YYYY-MM-DD."));
        }
        if (parser_.isSet(line_)) {
            bool numeric = false;
            document.line = parser_.value(line_).toInt(&numeric);
            if (!numeric || *document.line < 1)
                return Usage(QStringLiteral("--line takes a line number from 1."));
        }
        for (const QString& value : parser_.values(value_)) {
            const qsizetype equals = value.indexOf(QLatin1Char('='));
            if (equals <= 0)
                return Usage(QStringLiteral("--value takes PROPERTY=TEXT."));
            document.values.append({value.left(equals), value.mid(equals + 1)});
        }
        return AdminCommands::PreviewRule(target, document, out_);
    }

    int Export()
    {
        const QString format = parser_.value(format_).toLower();
        if (format != QStringLiteral("csv") && format != QStringLiteral("json"))
            return Usage(QStringLiteral("--format is csv or json."));
        return AdminCommands::ExportRules(format == QStringLiteral("json") ? RuleAdmin::RuleFileFormat::Json
                                                                          : RuleAdmin::RuleFileFormat::Csv,
                                          parser_.value(outFile_), out_);
    }

    int Options()
    {
        if (args_.value(1) == QStringLiteral("show") && args_.size() == 2)
            return AdminCommands::ShowOptions(out_);
        if (args_.value(1) == QStringLiteral("set") && args_.size() > 2)
            return AdminCommands::SetOptions(args_.mid(2), out_);
        return Usage(QStringLiteral("options show, or options set KEY=0|1..."));
    }

    int Edit()
    {
        const auto target = TargetOf(QStringLiteral("edit"));
        if (!target)
            return 2;
        if (args_.size() != 1)
            return Usage(QStringLiteral("edit takes no further arguments."));
        return AdminCommands::EditRule(*target, err_);
    }

    int Print()
    {
        if (!parser_.isSet(group_) || parser_.isSet(item_) || !parser_.isSet(pdf_))
            return Usage(QStringLiteral("print needs --group ID and --pdf FILE."));
        bool numeric = false;
        const qint32 group = parser_.value(group_).toInt(&numeric);
        if (!numeric)
            return Usage(QStringLiteral("--group takes a whole number."));
        return AdminCommands::PrintLedger(group, parser_.value(pdf_), out_);
    }

    // The main window on the database, made with demo data when missing.
    int MainWindow()
    {
        const QString database = parser_.value(db_);
        if (!IsOdbcConnectionString(database) && !QFileInfo::exists(database)) {
            if (const int written = Commands::DemoDb(database, 0, 0, out_, err_); written != 0)
                return written;
        }
        return Commands::MainWindow(err_);
    }

    QTextStream in_{stdin}, out_{stdout}, err_{stderr};
    QCommandLineParser parser_;
    QStringList args_;
    const QCommandLineOption db_{QStringLiteral("db"), QStringLiteral("SQLite file or ODBC connection string."),
                                 QStringLiteral("FILE")};
    const QCommandLineOption props_{QStringLiteral("props"), QStringLiteral("The session's property string."),
                                    QStringLiteral("TEXT"), DefaultPropsString()};
    const QCommandLineOption outFile_{QStringLiteral("out"), QStringLiteral("File demo-db or rule export writes."),
                                      QStringLiteral("FILE")};
    const QCommandLineOption groups_{QStringLiteral("groups"), QStringLiteral("Synthetic groups."), QStringLiteral("N"),
                                     QStringLiteral("0")};
    const QCommandLineOption materials_{QStringLiteral("materials"), QStringLiteral("Synthetic materials."),
                                        QStringLiteral("M"), QStringLiteral("0")};
    const QCommandLineOption item_{QStringLiteral("item"), QStringLiteral("The material whose rule is meant."),
                                   QStringLiteral("ID")};
    const QCommandLineOption group_{QStringLiteral("group"),
                                    QStringLiteral("The material group whose rule is meant (0: all)."),
                                    QStringLiteral("ID")};
    const QCommandLineOption spare_{QStringLiteral("spare-own-rules"),
                                    QStringLiteral("A group rule leaves materials with their own rule alone.")};
    const QCommandLineOption replace_{QStringLiteral("replace-own-rules"),
                                      QStringLiteral("A group rule replaces the rules of all its materials.")};
    const QCommandLineOption pdf_{QStringLiteral("pdf"), QStringLiteral("The PDF file print writes."), QStringLiteral("FILE")};
    const QCommandLineOption dryRun_{QStringLiteral("dry-run"),
                                     QStringLiteral("Run every check and print what would change; write nothing.")};
    const QCommandLineOption date_{QStringLiteral("date"), QStringLiteral("The document's date for rule preview."),
                                   QStringLiteral("YYYY-MM-DD")};
    const QCommandLineOption line_{QStringLiteral("line"), QStringLiteral("The document's line for rule preview."),
                                   QStringLiteral("N")};
    const QCommandLineOption value_{QStringLiteral("value"),
                                    QStringLiteral("A property's value on the document for rule preview; empty: none."),
                                    QStringLiteral("PROPERTY=TEXT")};
    const QCommandLineOption format_{QStringLiteral("format"), QStringLiteral("csv or json, for rule export."),
                                     QStringLiteral("FORMAT"), QStringLiteral("csv")};
};

}

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.contains(QStringLiteral("--version"))) {
        std::printf("vell-batchrule %s\ntranslations and help: %s\n", VELL_VERSION, qPrintable(ComponentResourceDir()));
        return 0;
    }
    CommandLine commandLine;
    const QString command = commandLine.CommandOf(arguments);
    const bool window = command.isEmpty() || command == QStringLiteral("edit");
    const QString noDisplay = WindowSystemProblem();
    if (window && !noDisplay.isEmpty() && !arguments.contains(QStringLiteral("--help"))) {
        std::fprintf(stderr, "vell-batchrule%s: %s.\nRun it in a desktop session, or under xvfb-run.\n",
                     command.isEmpty() ? "" : " edit", qPrintable(noDisplay));
        return 1;
    }
    if (window || command == QStringLiteral("print")) {
        // Printing to a file paints without a window: no display is needed.
        if (!noDisplay.isEmpty())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("vell-batchrule"));
        return commandLine.Run(app);
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vell-batchrule"));
    return commandLine.Run(app);
}
