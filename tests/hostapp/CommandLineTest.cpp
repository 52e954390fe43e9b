// vell-batchrule's command line as a new user meets it: usage errors, help
// per command, the language of the user's locale, pipes, rows that never split.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TestSupport.h"
#include "UserLanguage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

class CommandLine : public testing::Test {
protected:
    void SetUp() override { DemoDatabase::WriteHandMade(Db()); }
    QString Db() const { return dir.filePath("demo.sqlite"); }
    QString File(const QString& name) const { return dir.filePath(name); }

    static Outcome RunIn(const QStringList& args, const QHash<QString, QString>& variables, const QString& input = {})
    {
        RunOptions options{input};
        for (auto it = variables.begin(); it != variables.end(); ++it)
            options.environment.insert(it.key(), it.value());
        return RunProgram(args, options);
    }

    static QProcessEnvironment Desktopless()
    {
        QProcessEnvironment environment = ProgramEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        return environment;
    }

    QTemporaryDir dir;
};

TEST_F(CommandLine, AWrongCommandLineExitsTwoWithOneLineAndAHint)
{
    struct Case {
        QStringList args;
        const char* problem;
        const char* hint;
    };
    const Case cases[] = {
        {{"show", "--bogus"}, "Unknown option 'bogus'", "vell-batchrule show --help"},
        {{"show", "--db"}, "Missing value after '--db'", "vell-batchrule show --help"},
        {{"bogus", "--db", Db()}, "'bogus' is no command", "vell-batchrule --help"},
        {{"rule", "--db", Db()}, "rule needs a command: show, set, preview, history, restore, lint, export, import", "vell-batchrule --help"},
        {{"rule", "set", "--db", Db(), "--item", "101"}, "rule set needs ELEMENT...", "vell-batchrule rule set --help"},
        {{"demo-db", "--out", File("n.sqlite"), "--materials", "abc"}, "--materials takes a whole number from 0, not 'abc'",
         "vell-batchrule demo-db --help"},
        {{"demo-db", "--out", File("n.sqlite"), "--groups", "-5"}, "--groups takes a whole number from 0, not '-5'",
         "vell-batchrule demo-db --help"},
        {{"print", "--db", Db(), "--group", "7"}, "print needs --pdf FILE", "vell-batchrule print --help"},
    };
    for (const Case& c : cases) {
        const Outcome run = RunProgram(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, 2) << what;
        EXPECT_EQ(run.err, QString("vell-batchrule: %1.\nTry '%2'.\n").arg(c.problem, c.hint)) << what;
        EXPECT_EQ(run.out, "") << what;
    }
    EXPECT_FALSE(QFile::exists(File("n.sqlite"))) << "a refused size writes nothing";
}

TEST_F(CommandLine, HelpIsTheCommandsOwnAndAnswersWithoutADisplay)
{
    const Outcome show = RunProgram({"show", "--help"});
    EXPECT_EQ(show.exitCode, 0);
    EXPECT_TRUE(show.out.startsWith("Usage: vell-batchrule show --db FILE\n")) << show.out.toStdString();
    EXPECT_LT(show.out.count('\n'), 8);
    const Outcome set = RunProgram({"rule", "set", "--help"});
    EXPECT_TRUE(set.out.startsWith("Usage: vell-batchrule rule set --db FILE (--item ID | --group ID)"));
    EXPECT_TRUE(set.out.contains("--dry-run"));
    EXPECT_FALSE(set.out.contains("--pdf")) << "only what the command takes";
    const Outcome all = RunProgram({"--help"});
    for (const char* command : {"show", "sql", "demo-db", "rule set", "rule import", "options set", "edit", "print"})
        EXPECT_TRUE(all.out.contains(QString("vell-batchrule %1 ").arg(command))) << command;
    EXPECT_TRUE(all.out.contains("Exit codes:"));
    EXPECT_TRUE(all.out.contains("the rule before → after")) << "a summary's text is UTF-8, not Latin-1";
    EXPECT_TRUE(RunProgram({"rule", "history", "--help"}).out.contains("before → after"));

    RunOptions noDisplay;
    noDisplay.environment = Desktopless();
    EXPECT_EQ(RunProgram({"--help"}, noDisplay).exitCode, 0);
    EXPECT_EQ(RunProgram({"edit", "--help"}, noDisplay).exitCode, 0);
    EXPECT_TRUE(RunProgram({"--version"}, noDisplay).out.startsWith("vell-batchrule " VELL_VERSION "\n"));
    const Outcome usage = RunProgram({"edit", "--db", Db()}, noDisplay);
    EXPECT_EQ(usage.exitCode, 2) << "the usage error comes before the missing display";
}

// A mistyped connection string is taken for a file that does not exist; what
// says so never shows its password, and no demo is made of it.
TEST_F(CommandLine, NoMessageShowsAPasswordWhateverTheDatabaseTurnedOutToBe)
{
    const QStringList given{"DRIVR=FreeTDS;SERVER=db1;UID=sa;PWD=s3cret", "DRIVER={No Such Driver};Password=s3cret",
                            "DSN=nowhere;pwd = {s3;cret}"};
    const QStringList commands[] = {{}, {"show"}, {"sql"}, {"rule", "show", "--item", "101"}, {"options", "show"},
                                    {"batch", "peek", "--item", "311"}, {"edit", "--item", "101"},
                                    {"print", "--group", "7", "--pdf", File("out.pdf")}};
    RunOptions inTheFolder{"SELECT 1"};
    inTheFolder.workingDirectory = dir.path();
    for (const QString& database : given) {
        for (const QStringList& command : commands) {
            const Outcome run = RunProgram(QStringList(command) << "--db" << database, inTheFolder);
            EXPECT_EQ(run.exitCode, 1) << command.join(' ').toStdString() << " " << database.toStdString();
            EXPECT_FALSE((run.out + run.err).contains("s3")) << (run.out + run.err).toStdString();
            EXPECT_TRUE(run.err.contains("****")) << run.err.toStdString();
        }
    }
    const Outcome demo = RunProgram({"demo-db", "--out", File("x;PWD=s3cret")});
    EXPECT_EQ(demo.out, "Wrote " + File("x;PWD=****") + "\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"demo.sqlite", "x;PWD=s3cret"}));
}

TEST(UserLanguage, FollowsTheLocaleAsGettextDoes)
{
    struct Case {
        QHash<QString, QString> variables;
        const char* language;
    };
    const Case cases[] = {
        {{}, "chs"},
        {{{"LANG", "C.UTF-8"}}, "chs"},
        {{{"LANG", "POSIX"}}, "chs"},
        {{{"LANG", "zh_CN.UTF-8"}}, "chs"},
        {{{"LANG", "zh_TW.UTF-8"}}, "cht"},
        {{{"LANG", "zh_HK.Big5HKSCS"}}, "cht"},
        {{{"LANG", "en_US.UTF-8"}}, "en"},
        {{{"LANG", "de_DE@euro"}}, "en"},
        {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "zh_TW.UTF-8"}}, "cht"},
        {{{"LC_MESSAGES", "zh_TW.UTF-8"}, {"LC_ALL", "en_GB.UTF-8"}}, "en"},
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "zh_CN:en"}}, "chs"},
        {{{"LANG", "C"}, {"LANGUAGE", "en"}}, "chs"},   // the C locale turns LANGUAGE off
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment;
        for (auto it = c.variables.begin(); it != c.variables.end(); ++it)
            environment.insert(it.key(), it.value());
        EXPECT_EQ(vellbatchrule::UserLanguage::Of(environment), c.language) << QStringList(c.variables.keys()).join(',').toStdString();
    }
    QProcessEnvironment english;
    english.insert("LANG", "en_US.UTF-8");
    EXPECT_EQ(vellbatchrule::UserLanguage::Completed("UserID=1", english), "UserID=1;LANGUAGE=en");
    EXPECT_EQ(vellbatchrule::UserLanguage::Completed("UserID=1;language=chs", english), "UserID=1;language=chs");
}

TEST_F(CommandLine, TheSessionSpeaksTheUsersLanguageUnlessThePropsNameOne)
{
    const QStringList options{"options", "show", "--db", Db()};
    EXPECT_TRUE(RunIn(options, {{"LANG", "en_US.UTF-8"}}).out.contains("Prompt when a batch number is duplicated"));
    EXPECT_TRUE(RunIn(options, {{"LANG", "zh_TW.UTF-8"}}).out.contains("批號重複給予提示"));
    EXPECT_TRUE(RunIn(options, {}).out.contains("批号重复给予提示"));
    const Outcome named = RunIn(options + QStringList{"--props", "UserID=16394;LANGUAGE=chs"}, {{"LANG", "en_US.UTF-8"}});
    EXPECT_TRUE(named.out.contains("批号重复给予提示")) << named.out.toStdString();
}

TEST_F(CommandLine, DashIsStandardInputAndOutput)
{
    const Outcome exported = RunProgram({"rule", "export", "--db", Db(), "--out", "-"});
    EXPECT_EQ(exported.exitCode, 0);
    EXPECT_EQ(exported.out, RunProgram({"rule", "export", "--db", Db()}).out);
    const Outcome imported = RunProgram({"rule", "import", "--db", Db(), "-", "--dry-run"}, exported.out);
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.endsWith("试运行，什么也没有写\n")) << imported.out.toStdString();
    const Outcome broken = RunProgram({"rule", "import", "--db", Db(), "-"}, "no rule file\n");
    EXPECT_EQ(broken.exitCode, 1);
    RunOptions printing;
    printing.environment = Desktopless();
    const Outcome pdf = RunProgram({"print", "--db", Db(), "--group", "7", "--pdf", "-"}, printing);
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    EXPECT_TRUE(pdf.out.startsWith("%PDF")) << "the printout alone on standard output";
}

TEST_F(CommandLine, ValuesWithTabsOrLineBreaksKeepTheirRowWhole)
{
    {
        QSqlDatabase native = QSqlDatabase::addDatabase("QSQLITE", "names");
        native.setDatabaseName(Db());
        native.open();
        QSqlQuery query(native);
        query.prepare("UPDATE t_ICItem SET FName = ? WHERE FItemID = 311");
        query.addBindValue(QString("矿泉水\t550ml\n整箱\\散装"));
        ASSERT_TRUE(query.exec());
    }
    QSqlDatabase::removeDatabase("names");
    const Outcome sql = RunProgram({"sql", "--db", Db()}, "SELECT FItemID,FName FROM t_ICItem WHERE FItemID=311");
    EXPECT_EQ(sql.out, "FItemID\tFName\n311\t矿泉水\\t550ml\\n整箱\\\\散装\n");
    const Outcome lint = RunProgram({"rule", "lint", "--db", Db()});
    for (const QString& line : lint.out.split('\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(line.count('\t') == 3 || !line.contains('\t')) << line.toStdString();
    EXPECT_TRUE(lint.out.contains("03.02.001(矿泉水\\t550ml\\n整箱\\\\散装)")) << lint.out.toStdString();
}

TEST_F(CommandLine, DryRunSaysHowManyMoreThanItLists)
{
    const QString big = File("big.sqlite");
    ASSERT_EQ(RunProgram({"demo-db", "--out", big, "--groups", "2", "--materials", "30"}).exitCode, 0);
    const Outcome run =
        RunProgram({"rule", "set", "--db", big, "--group", "0", "--replace-own-rules", "--dry-run", "23:yymmdd", "26:1:4"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 2 + 20 + 1) << run.out.toStdString();
    EXPECT_EQ(lines.value(lines.size() - 1), "……另有10个物料");
}

TEST_F(CommandLine, BashCompletesCommandsOptionsAndNumbersFromTheDatabase)
{
    struct Case {
        QStringList words;   // the last is the one being completed
        const char* offered;
    };
    const Case cases[] = {
        {{""}, "show sql demo-db init rule options batch edit print demo.sqlite"},
        {{"de"}, "demo-db demo.sqlite"},   // a database file opens the main window
        {{"batch", ""}, "init issue peek trace"},
        {{"batch", "issue", "--c"}, "--count"},
        {{"rule", "s"}, "show set"},
        {{"rule", "set", "--d"}, "--db --dry-run"},
        {{"print", "--"}, "--db --group --help --pdf --props"},
        {{"rule", "show", "--db", Db(), "--group", ""}, "0 1 2 3 8 4 5 6 7"},
        {{"rule", "show", "--db", Db(), "--item", "31"}, "311 312 313"},
        {{"rule", "export", "--format", ""}, "csv json"},
        {{"batch", "trace", "--db", Db(), "--item", "311", "2026"}, "202605120001"},   // the numbers issued for it
    };
    RunProgram({"batch", "issue", "--db", Db(), "--item", "311", "--date", "2026-05-12"});
    for (const Case& c : cases) {
        const QString script = QString("source '%1/hostapp/vell-batchrule.bash-completion'\n"
                                       "cd '%4'; COMP_WORDS=('%2' %3); COMP_CWORD=$((${#COMP_WORDS[@]}-1))\n"
                                       "_vell_batchrule; echo \"${COMPREPLY[*]}\"\n")
                                   .arg(VELL_SOURCE_DIR, VELL_BATCHRULE_PATH, "'" + c.words.join("' '") + "'", dir.path());
        RunOptions bash{script};
        bash.program = "bash";
        const Outcome run = RunProgram({"--norc", "-s"}, bash);
        EXPECT_EQ(run.out.trimmed(), c.offered) << c.words.join(' ').toStdString() << run.err.toStdString();
    }
}

// The manual page is written from the help: every command, option, variable
// and file the help names is in it, so the two cannot drift apart unseen.
TEST_F(CommandLine, TheManualPageNamesWhatTheHelpNames)
{
    QFile page(VELL_SOURCE_DIR "/hostapp/vell-batchrule.1");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString roff = QString::fromUtf8(page.readAll());
    const QString man = QString(roff).remove(QRegularExpression(R"(\\f[BIRP])")).replace("\\-", "-");
    const QString help = RunProgram({"--help"}).out;
    ASSERT_TRUE(help.contains("Commands:"));
    QString everyHelp = help;
    static const QRegularExpression commandLine(R"(^  vell-batchrule ((?:[a-z][a-z-]* ?){0,2}))",
                                                QRegularExpression::MultilineOption);
    for (const auto& match : commandLine.globalMatch(help)) {
        const QString words = match.captured(1).trimmed();
        if (words.isEmpty())
            continue;
        EXPECT_TRUE(QRegularExpression("\n\\.BR \"?" + words + "\"? ").match(man).hasMatch()) << words.toStdString();
        everyHelp += RunProgram(words.split(' ') << "--help").out;
    }
    static const QRegularExpression named(R"(--[a-z-]+|\b[A-Z][A-Z_]{3,}\b|~/[^ ;)]+)");
    for (const auto& match : named.globalMatch(everyHelp))
        EXPECT_TRUE(man.contains(match.captured())) << match.captured().toStdString();
    for (const char* heading : {"SYNOPSIS", "COMMANDS", "OPTIONS", "\"EXIT STATUS\"", "ENVIRONMENT", "FILES"})
        EXPECT_TRUE(roff.contains(QString(".SH ") + heading)) << heading;
}

}
