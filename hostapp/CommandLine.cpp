#include "CommandLine.h"

#include "AdminCommands.h"
#include "BatchNumberIssuer.h"
#include "Commands.h"
#include "DemoDatabase.h"
#include "Limits.h"
#include "StockComponents.h"
#include "UserDatabase.h"
#include "UserLanguage.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <limits>

namespace vellbatchrule {

// A command of the program: its words, its usage, what it accepts and what runs it.
struct CommandSpec {
    enum class Kind { Data, Window, Printout };

    const char* name;       // "rule set"; "" is the main window
    const char* synopsis;   // after "vell-batchrule <name> "
    const char* summary;
    const char* options;    // the options it takes, space-separated, besides --props, --help and --version
    int (*run)(CommandLine& line);
    const char* required = "";    // the options it cannot do without, besides --db
    const char* arguments = "";   // what follows the words, as the synopsis names it
    int minArgs = 0;
    int maxArgs = 0;        // -1: any number
    Kind kind = Kind::Data;

    QString Name() const { return QLatin1String(name); }
    // The texts are UTF-8 source text: the history's summary shows "before → after".
    QString Synopsis() const { return QString::fromUtf8(synopsis); }
    QString Summary() const { return QString::fromUtf8(summary); }
    QString Title() const { return *name ? Name() : QStringLiteral("the main window"); }
    bool Takes(const QString& option) const { return Listed(options, option); }
    bool Requires(const QString& option) const { return Listed(required, option); }
    static bool Listed(const char* list, const QString& option)
    {
        return QString::fromLatin1(list).split(QLatin1Char(' ')).contains(option);
    }
};

std::span<const CommandSpec> CommandLine::Commands()
{
    using Line = CommandLine;
    using Kind = CommandSpec::Kind;
    static const CommandSpec commands[] = {
        {"", "[--db FILE | FILE]",
         "The main window; a demo database is written first when FILE is missing. Without a FILE, the last database "
         "the main window opened, else the demo database in the user's data folder.",
         "", [](Line& line) { return line.MainWindow(); }, "", "FILE", 0, 1, Kind::Window},
        {"show", "--db FILE", "Print what the database holds that the user may see.", "db",
         [](Line& line) { return AdminCommands::ShowDatabase(line.out_); }},
        {"sql", "--db FILE < batch.sql",
         "Run one Transact-SQL batch from standard input and print its rows; only a user who may see every group runs one.",
         "db", [](Line& line) { return AdminCommands::RunSql(line.in_, line.out_); }},
        {"demo-db", "--out FILE [--groups N --materials M]",
         "Write the demo database, or synthetic data of the size given.", "out groups materials",
         [](Line& line) { return line.DemoDb(); }, "out"},
        {"init", "--db FILE",
         "Create every table of the component's own where it is missing: the serial numbers' counters, the "
         "numbers issued, where each came from and the rule history (ICBatchNoSerial, ICBatchNoIssued, "
         "ICBatchNoIssuedTrace, ICBatchNoRuleHistory). The host's tables are never changed; batch init is another "
         "name for it.",
         "db", [](Line& line) { return AdminCommands::CreateCounterTable(line.out_); }},
        {"rule show", "--db FILE (--item ID | --group ID)", "Print the rule of a material or a material group.",
         "db item group", [](Line& line) { return AdminCommands::ShowRule(line.target_, line.out_); }},
        {"rule set",
         "--db FILE (--item ID | --group ID) [--spare-own-rules | --replace-own-rules] [--dry-run] [--if-version V] "
         "ELEMENT...",
         "Set the rule as the editor sets it. Each ELEMENT is property[:format[:length[:pad[:substitute]]]].",
         "db item group spare-own-rules replace-own-rules dry-run if-version",
         [](Line& line) {
             return AdminCommands::SetRule(line.target_, line.args_, line.ownRules_, line.DryRun(),
                                           line.parser_.value(QStringLiteral("if-version")), line.out_);
         },
         "", "ELEMENT...", 1, -1},
        {"rule preview", "--db FILE (--item ID | --group ID) [--date YYYY-MM-DD] [--line N] [--value PROPERTY=TEXT]...",
         "Print the batch number the stored rule gives a document.", "db item group date line value",
         [](Line& line) { return AdminCommands::PreviewRule(line.target_, line.document_, line.out_); }},
        {"rule history", "--db FILE (--item ID | --group ID | --all) [--since YYYY-MM-DD] [--format text|csv|json]",
         "Print the changes of a rule, or of every rule, newest first: entry, time, user, source, owner, the rule "
         "before → after, the materials it reached (in CSV the entry first). History is kept from init on.",
         "db item group all since format",
         [](Line& line) {
             return AdminCommands::ShowHistory(line.parser_.isSet(QStringLiteral("all"))
                                                   ? std::nullopt
                                                   : std::optional<RuleAdmin::Target>(line.target_),
                                               line.since_, line.historyFormat_, line.out_);
         }},
        {"rule restore", "--db FILE --entry ID [--force]",
         "Put back what a change on record replaced (for a spread, every material's rule below the group), in one "
         "unit of work, itself on record. Refused when the rule moved on since that change, unless --force.",
         "db entry force",
         [](Line& line) { return AdminCommands::RestoreHistory(line.entry_, line.parser_.isSet(QStringLiteral("force")), line.out_); },
         "entry"},
        {"rule lint", "--db FILE", "Check every stored rule; exit 1 when any finding is an error.", "db",
         [](Line& line) { return AdminCommands::LintRules(line.out_); }},
        {"rule export", "--db FILE [--format csv|json] [--out RULES.csv|-] [--versions]",
         "Write every rule the user may see as a rule file; with --versions each rule carries its version, for "
         "rule import --if-unchanged.",
         "db format out versions", [](Line& line) { return line.ExportRules(); }},
        {"rule import", "--db FILE RULES.csv|- [--spare-own-rules | --replace-own-rules] [--dry-run] [--if-unchanged]",
         "Read a rule file into the database, whole or not at all; with --if-unchanged, only where every stored rule is "
         "still the version the file carries.",
         "db spare-own-rules replace-own-rules dry-run if-unchanged",
         [](Line& line) { return line.ImportRules(); }, "", "RULES.csv|-", 1, 1},
        {"options show", "--db FILE", "Print the batch options.", "db",
         [](Line& line) { return AdminCommands::ShowOptions(line.out_); }},
        {"options set", "--db FILE KEY=0|1...", "Set batch options.", "db",
         [](Line& line) { return AdminCommands::SetOptions(line.args_, line.out_); }, "", "KEY=0|1...", 1, -1},
        {"batch init", "--db FILE", "The same as init.",
         "db", [](Line& line) { return AdminCommands::CreateCounterTable(line.out_); }},
        {"batch issue", "--db FILE --item ID [--date YYYY-MM-DD] [--line N] [--value PROPERTY=TEXT]... [--count N]",
         "Issue batch numbers from the material's rule, one a line, never the same twice: a number issued before, by "
         "whatever rule, is passed over. The serial starts again at its format's value whenever the rest of the number "
         "differs (a new day for yymmdd, another supplier code); when it would need more digits than its length, nothing "
         "is issued. A rule without a serial gives the same number every time, and says so.",
         "db item date line value count",
         [](Line& line) {
             return AdminCommands::IssueBatchNumbers(*line.target_.itemId, line.document_, line.count_, line.out_, line.err_);
         },
         "item"},
        {"batch peek", "--db FILE --item ID [--date YYYY-MM-DD] [--line N] [--value PROPERTY=TEXT]...",
         "Print the batch number batch issue would give next, taking nothing.", "db item date line value",
         [](Line& line) { return AdminCommands::PeekBatchNumber(*line.target_.itemId, line.document_, line.out_); }, "item"},
        {"batch trace", "--db FILE --item ID NUMBER",
         "Print where a batch number issued for the material came from: when and for whom it was issued, the rule "
         "version it was composed from, and who set that version and when (the rule history's entry).",
         "db item",
         [](Line& line) { return AdminCommands::TraceBatchNumber(*line.target_.itemId, line.args_.value(0), line.out_); },
         "item", "NUMBER", 1, 1},
        {"edit", "--db FILE (--item ID | --group ID)", "The rule editor window for a material or a material group.",
         "db item group", [](Line& line) { return AdminCommands::EditRule(line.target_, line.err_); }, "", "", 0, 0,
         Kind::Window},
        {"print", "--db FILE --group ID --pdf OUT.pdf|-", "The group's ledger as the main window prints it, into a PDF file.",
         "db group pdf", [](Line& line) { return line.PrintLedger(); }, "group pdf", "", 0, 0, Kind::Printout},
    };
    return commands;
}

namespace {

const CommandSpec* FindCommand(const QString& name)
{
    for (const CommandSpec& command : CommandLine::Commands())
        if (command.Name() == name)
            return &command;
    return nullptr;
}

bool IsCommandGroup(const QString& word)
{
    return word == QStringLiteral("rule") || word == QStringLiteral("options") || word == QStringLiteral("batch");
}

// The command's words among the positional arguments: "rule set", "show", "".
// A word no command has, with a dot or a slash, is the main window's FILE.
QString CommandWords(const QStringList& positional)
{
    const QString first = positional.value(0);
    if (first.contains(QLatin1Char('.')) || first.contains(QLatin1Char('/')))
        return QString();
    if (IsCommandGroup(first) && positional.size() > 1)
        return first + QLatin1Char(' ') + positional[1];
    return first;
}

// A whole number from `low`; nothing when the text is none.
std::optional<int> WholeNumber(const QString& text, int low)
{
    bool numeric = false;
    const int value = text.toInt(&numeric);
    return numeric && value >= low ? std::optional(value) : std::nullopt;
}

// "show, set, preview, …" of "rule".
QString ActionsOf(const QString& group)
{
    QStringList actions;
    for (const CommandSpec& command : CommandLine::Commands())
        if (command.Name().startsWith(group + QLatin1Char(' ')))
            actions << command.Name().section(QLatin1Char(' '), 1);
    return actions.join(QStringLiteral(", "));
}

constexpr char kProgram[] = "vell-batchrule";

}

CommandLine::CommandLine()
{
    options_ = {
        {QStringLiteral("db"), QStringLiteral("SQLite file or ODBC connection string (\"DRIVER=...\" or \"DSN=...\")."),
         QStringLiteral("FILE")},
        {QStringLiteral("props"),
         QStringLiteral("The session's property string; without LANGUAGE, the language of the user's locale."),
         QStringLiteral("TEXT")},
        {QStringLiteral("out"), QStringLiteral("The file written; - is standard output for rule export."),
         QStringLiteral("FILE")},
        {QStringLiteral("groups"), QStringLiteral("Synthetic material groups."), QStringLiteral("N")},
        {QStringLiteral("materials"), QStringLiteral("Synthetic materials."), QStringLiteral("M")},
        {QStringLiteral("item"), QStringLiteral("The material whose rule is meant."), QStringLiteral("ID")},
        {QStringLiteral("group"), QStringLiteral("The material group whose rule is meant (0: the root, for a user who may see every group)."),
         QStringLiteral("ID")},
        {QStringLiteral("spare-own-rules"), QStringLiteral("A group rule leaves materials with their own rule alone.")},
        {QStringLiteral("replace-own-rules"), QStringLiteral("A group rule replaces the rules of all its materials.")},
        {QStringLiteral("dry-run"), QStringLiteral("Run every check and print what would change; write nothing.")},
        {QStringLiteral("all"), QStringLiteral("Every rule's history (a user who may see every group only).")},
        {QStringLiteral("if-version"),
         QStringLiteral("Write only over this version of the stored rule, as rule show prints it; else exit 1, "
                        "nothing written."),
         QStringLiteral("V")},
        {QStringLiteral("date"), QStringLiteral("The document's date."), QStringLiteral("YYYY-MM-DD")},
        {QStringLiteral("line"), QStringLiteral("The document's line number, from 1."), QStringLiteral("N")},
        {QStringLiteral("value"), QStringLiteral("A property's value on the document; empty: none."),
         QStringLiteral("PROPERTY=TEXT")},
        {QStringLiteral("count"), QStringLiteral("How many batch numbers, from 1 (the default) to 100000."),
         QStringLiteral("N")},
        {QStringLiteral("format"), QStringLiteral("csv (the default) or json; rule history: text (the default), csv or json."),
         QStringLiteral("FORMAT")},
        {QStringLiteral("since"), QStringLiteral("The changes from this day on."), QStringLiteral("YYYY-MM-DD")},
        {QStringLiteral("entry"), QStringLiteral("The history entry, as rule history prints it."), QStringLiteral("ID")},
        {QStringLiteral("force"), QStringLiteral("Restore even over a newer change.")},
        {QStringLiteral("versions"), QStringLiteral("Each rule with its version, in a last column Version.")},
        {QStringLiteral("if-unchanged"),
         QStringLiteral("Write only where each stored rule is still the version the file carries (rule export --versions); "
                        "else exit 1, nothing written.")},
        {QStringLiteral("pdf"), QStringLiteral("The PDF file written; - is standard output."), QStringLiteral("FILE")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("This help, or a command's: vell-batchrule rule set --help")},
        {QStringLiteral("version"), QStringLiteral("The version, and where the translations and help are.")},
    };
    parser_.addOptions(options_);
}

std::optional<int> CommandLine::Read(const QStringList& arguments)
{
    const bool parsed = parser_.parse(arguments);
    const QStringList positional = parser_.positionalArguments();
    const QString words = CommandWords(positional);
    command_ = FindCommand(words);
    if (!parsed)
        return Usage(parser_.errorText());
    if (parser_.isSet(QStringLiteral("version"))) {
        out_ << kProgram << ' ' << VELL_VERSION << "\ntranslations and help: " << ComponentResourceDir() << '\n';
        return OutputWritten() ? 0 : 1;
    }
    const bool help = parser_.isSet(QStringLiteral("help"));
    if (!command_) {
        const QString first = positional.value(0);
        const bool group = IsCommandGroup(first);
        if (group && help && positional.size() == 1) {
            out_ << Help();
            return OutputWritten() ? 0 : 1;
        }
        if (group && positional.size() == 1)
            return Usage(QStringLiteral("%1 needs a command: %2.").arg(first, ActionsOf(first)));
        return Usage(group ? QStringLiteral("'%1' is no %2 command.").arg(positional.value(1), first)
                           : QStringLiteral("'%1' is no command.").arg(first));
    }
    if (help) {
        out_ << (command_->Name().isEmpty() ? Help() : CommandHelp());
        return OutputWritten() ? 0 : 1;
    }
    args_ = positional.mid(words.isEmpty() ? 0 : words.count(QLatin1Char(' ')) + 1);
    return Check();
}

std::optional<int> CommandLine::Check()
{
    for (const QCommandLineOption& option : options_) {
        const QString name = option.names().constLast();
        // --db and --props are every command's: a script may hand them to all alike.
        const bool common = name == QStringLiteral("db") || name == QStringLiteral("props");
        if (parser_.isSet(name) && !common && !command_->Takes(name))
            return Usage(QStringLiteral("--%1 does not belong to %2.").arg(name, command_->Title()));
    }
    if (args_.size() < command_->minArgs)
        return Usage(QStringLiteral("%1 needs %2.").arg(command_->Name(), QLatin1String(command_->arguments)));
    if (command_->maxArgs >= 0 && args_.size() > command_->maxArgs)
        return Usage(QStringLiteral("%1 takes no argument '%2'.").arg(command_->Title(), args_.value(command_->maxArgs)));
    if (command_->Takes(QStringLiteral("db")) && !parser_.isSet(QStringLiteral("db")))
        return Usage(QStringLiteral("--db FILE is required."));
    if (!args_.isEmpty() && command_->Name().isEmpty() && parser_.isSet(QStringLiteral("db")))
        return Usage(QStringLiteral("Name the database once: --db FILE or FILE."));
    if (const auto target = CheckTarget())
        return target;
    return CheckValues();
}

// --item ID or --group ID, one of the two, where the command names its target.
std::optional<int> CommandLine::CheckTarget()
{
    for (const QCommandLineOption& option : options_)
        if (command_->Requires(option.names().constLast()) && !parser_.isSet(option.names().constLast()))
            return Usage(QStringLiteral("%1 needs --%2 %3.")
                             .arg(command_->Name(), option.names().constLast(), option.valueName()));
    const bool item = parser_.isSet(QStringLiteral("item"));
    const bool group = parser_.isSet(QStringLiteral("group"));
    const bool all = parser_.isSet(QStringLiteral("all"));
    if (command_->Takes(QStringLiteral("all")) && int(item) + int(group) + int(all) != 1)
        return Usage(QStringLiteral("%1 needs one of --item ID, --group ID and --all.").arg(command_->Name()));
    if (command_->Takes(QStringLiteral("item")) && !command_->Takes(QStringLiteral("all")) && item == group)
        return Usage(QStringLiteral("%1 needs either --item ID or --group ID.").arg(command_->Name()));
    const QString name = item ? QStringLiteral("item") : QStringLiteral("group");
    if (!item && !group)
        return std::nullopt;
    const auto id = WholeNumber(parser_.value(name), std::numeric_limits<int>::min());
    if (!id)
        return Usage(QStringLiteral("--%1 takes a whole number.").arg(name));
    (item ? target_.itemId : target_.groupId) = *id;
    return std::nullopt;
}

// The values of the options the command takes, each checked as it is read.
std::optional<int> CommandLine::CheckValues()
{
    auto isSet = [this](const char* name) { return parser_.isSet(QLatin1String(name)); };
    auto value = [this](const char* name) { return parser_.value(QLatin1String(name)); };
    if (isSet("spare-own-rules") && isSet("replace-own-rules"))
        return Usage(QStringLiteral("--spare-own-rules and --replace-own-rules exclude each other."));
    ownRules_ = isSet("spare-own-rules")     ? RuleAdmin::OwnRules::Spare
                : isSet("replace-own-rules") ? RuleAdmin::OwnRules::Replace
                                             : RuleAdmin::OwnRules::AsStored;
    for (const auto& [name, count] : {std::pair{"groups", &groups_}, std::pair{"materials", &materials_}}) {
        if (!isSet(name))
            continue;
        const auto number = WholeNumber(value(name), 0);
        if (!number)
            return Usage(QStringLiteral("--%1 takes a whole number from 0, not '%2'.").arg(QLatin1String(name), value(name)));
        *count = *number;
    }
    if (isSet("date")) {
        document_.date = QDate::fromString(value("date"), Qt::ISODate);
        if (!document_.date->isValid())
            return Usage(QStringLiteral("--date takes a date as YYYY-MM-DD."));
    }
    if (isSet("line")) {
        document_.line = WholeNumber(value("line"), 1);
        if (!document_.line)
            return Usage(QStringLiteral("--line takes a line number from 1."));
    }
    for (const QString& given : parser_.values(QStringLiteral("value"))) {
        const qsizetype equals = given.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return Usage(QStringLiteral("--value takes PROPERTY=TEXT."));
        document_.values.append({given.left(equals), given.mid(equals + 1)});
    }
    if (isSet("count")) {
        const auto count = WholeNumber(value("count"), 1);
        if (!count || *count > BatchNumberIssuer::MaxCount)
            return Usage(QStringLiteral("--count takes a whole number from 1 to %1.").arg(BatchNumberIssuer::MaxCount));
        count_ = *count;
    }
    if (isSet("since")) {
        since_ = QDate::fromString(value("since"), Qt::ISODate);
        if (!since_->isValid())
            return Usage(QStringLiteral("--since takes a date as YYYY-MM-DD."));
    }
    if (isSet("entry")) {
        const auto entry = WholeNumber(value("entry"), 1);
        if (!entry)
            return Usage(QStringLiteral("--entry takes a history entry's number, from 1."));
        entry_ = *entry;
    }
    return CheckFormat(value("format").toLower());
}

// The rule file's format, or the history's, which is text unless named.
std::optional<int> CommandLine::CheckFormat(const QString& format)
{
    const bool history = command_->Name() == QStringLiteral("rule history");
    const bool named = parser_.isSet(QStringLiteral("format"));
    if (named && format != QStringLiteral("csv") && format != QStringLiteral("json")
        && !(history && format == QStringLiteral("text")))
        return Usage(history ? QStringLiteral("--format is text, csv or json.") : QStringLiteral("--format is csv or json."));
    format_ = format == QStringLiteral("json") ? RuleAdmin::RuleFileFormat::Json : RuleAdmin::RuleFileFormat::Csv;
    if (history && named && format != QStringLiteral("text"))
        historyFormat_ = format_;
    return std::nullopt;
}

bool CommandLine::OpensWindow() const
{
    return command_ && command_->kind == CommandSpec::Kind::Window;
}

bool CommandLine::Paints() const
{
    return command_ && command_->kind != CommandSpec::Kind::Data;
}

QString CommandLine::CommandName() const
{
    return command_ ? command_->Name() : QString();
}

int CommandLine::Run()
{
    try {
        const int code = Dispatch();
        return OutputWritten() ? code : 1;
    } catch (const std::bad_alloc&) {
        // Unwound: the unit of work rolled back, a file being replaced left as it was.
        return Limits::OutOfMemory(command_->Name().isEmpty() ? "the main window" : command_->name);
    }
}

int CommandLine::Dispatch()
{
    RuleAdmin::SetHistorySource(QStringLiteral("command"));
    // Only a window's messages open as boxes: a command's go to standard error, where someone reads them.
    if (command_->Takes(QStringLiteral("db")))
        UseStockComponents({parser_.value(QStringLiteral("db")), Props(), ComponentResourceDir(), OpensWindow()});
    return command_->run(*this);
}

QString CommandLine::Props() const
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    return parser_.isSet(QStringLiteral("props"))
               ? UserLanguage::Completed(parser_.value(QStringLiteral("props")), environment)
               : DefaultPropsString(UserLanguage::Of(environment));
}

bool CommandLine::DryRun() const
{
    return parser_.isSet(QStringLiteral("dry-run"));
}

int CommandLine::ExportRules()
{
    const QString out = parser_.value(QStringLiteral("out"));
    return AdminCommands::ExportRules(format_, out == QStringLiteral("-") ? QString() : out,
                                      parser_.isSet(QStringLiteral("versions")), out_);
}

int CommandLine::ImportRules()
{
    const QString file = args_.value(0);
    const bool ifUnchanged = parser_.isSet(QStringLiteral("if-unchanged"));
    return file == QStringLiteral("-") ? AdminCommands::ImportRules(*in_.device(), file, ownRules_, DryRun(), ifUnchanged, out_)
                                       : AdminCommands::ImportRules(file, ownRules_, DryRun(), ifUnchanged, out_);
}

int CommandLine::DemoDb()
{
    return Commands::DemoDb(parser_.value(QStringLiteral("out")), groups_, materials_, out_, err_);
}

// The main window on the database named, or on the user's own; either is
// made with demo data when missing, and the window then says so.
int CommandLine::MainWindow()
{
    const QString props = Props();
    QString database = parser_.isSet(QStringLiteral("db")) ? parser_.value(QStringLiteral("db")) : args_.value(0);
    if (database.isEmpty())
        database = UserDatabase::Choose();
    // A mistyped connection string ("DRIVR=…;PWD=…") is no file to make a
    // demo of: the connection refuses it, its password masked.
    const bool missing = !IsOdbcConnectionString(database) && !database.contains(QLatin1Char('='))
                         && !QFileInfo::exists(database);
    if (missing) {
        if (const int written = Commands::DemoDb(database, 0, 0, out_, err_); written != 0)
            return written;
    }
    UseStockComponents({database, props, ComponentResourceDir(), true});
    return Commands::MainWindow(database, missing ? Commands::Note::DemoWritten : Commands::Note::None, err_);
}

// Into the file named, or through a file of its own onto standard output: a
// printout is whole before any of it is written.
int CommandLine::PrintLedger()
{
    const qint32 group = *target_.groupId;
    const QString pdf = parser_.value(QStringLiteral("pdf"));
    if (pdf != QStringLiteral("-"))
        return AdminCommands::PrintLedger(group, pdf, out_);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ledger.pdf"));
    QString summary;
    QTextStream quiet(&summary);
    if (!dir.isValid() || AdminCommands::PrintLedger(group, file, quiet) != 0)
        return 1;
    QFile printout(file);
    out_.flush();
    if (!printout.open(QIODevice::ReadOnly) || out_.device()->write(printout.readAll()) != printout.size())
        return 1;
    return 0;
}

int CommandLine::Usage(const QString& problem)
{
    const QString name = command_ ? command_->Name() : QString();
    err_ << kProgram << ": " << problem << "\nTry '" << kProgram << (name.isEmpty() ? "" : " ") << name << " --help'.\n";
    return 2;
}

QString CommandLine::Help() const
{
    QString text = QStringLiteral("Usage: vell-batchrule COMMAND --db FILE [OPTION]...\n"
                                  "       vell-batchrule [FILE]\n"
                                  "Batch-number rules of the inventory module.\n\nCommands:\n");
    for (const CommandSpec& command : Commands())
        text += QStringLiteral("  vell-batchrule %1%2\n      %3\n")
                    .arg(command.Name().isEmpty() ? QString() : command.Name() + QLatin1Char(' '),
                         command.Synopsis(), command.Summary());
    return text + QStringLiteral(
               "\n'vell-batchrule COMMAND --help' tells what a command does and which options it takes.\n"
               "Every command takes --props TEXT, the session's property string.\n\n"
               "Exit codes: 0 when all of it held; 1 when anything failed or was refused (the reason on standard "
               "error); 2 when the command line is wrong.\n"
               "Environment: LANGUAGE, LC_ALL, LC_MESSAGES and LANG choose the session's language when --props "
               "names none (zh_CN: Simplified Chinese, zh_TW or zh_HK: Traditional Chinese, C: Simplified "
               "Chinese, others: English); DISPLAY or WAYLAND_DISPLAY for the windows; VELL_SQL_TRACE=FILE appends "
               "every SQL batch sent to FILE.\n"
               "Files: ~/.config/vell-batchrule/vell-batchrule.conf keeps the last SQLite file the main window "
               "opened; ~/.local/share/vell-batchrule/demo.sqlite is the demo database of a start without one "
               "(XDG_CONFIG_HOME and XDG_DATA_HOME move them).\n");
}

QString CommandLine::CommandHelp() const
{
    QString text = QStringLiteral("Usage: vell-batchrule %1 %2\n%3\n\nOptions:\n")
                       .arg(command_->Name(), command_->Synopsis(), command_->Summary());
    for (const QCommandLineOption& option : options_) {
        const QString name = option.names().constLast();
        if (!command_->Takes(name) && name != QStringLiteral("props") && name != QStringLiteral("help"))
            continue;
        const QString spelled = QStringLiteral("--") + name
                                + (option.valueName().isEmpty() ? QString() : QLatin1Char(' ') + option.valueName());
        text += QStringLiteral("  %1 %2\n").arg(spelled, -24).arg(option.description());
    }
    return text;
}

// A command whose output was cut did not do what it was asked.
bool CommandLine::OutputWritten()
{
    out_.flush();
    if (out_.status() == QTextStream::Ok)
        return true;
    err_ << kProgram << ": the output could not be written: " << out_.device()->errorString() << '\n';
    return false;
}

}
