// What a command writes lands whole or the command says it failed: a print
// that cannot read or write exits at once and keeps the old file, and a read
// whose output is cut exits 1.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QByteArray kOldFile = "the file as it was before the command\n";

class SoundOutput : public testing::Test {
protected:
    void SetUp() override { DemoDatabase::WriteHandMade(Db()); }
    QString Db() const { return dir.filePath("demo.sqlite"); }
    QString File(const QString& name) const { return dir.filePath(name); }

    // A shell line, with $VBR the program and $DB the demo database.
    Outcome Shell(const QString& line, int timeoutMs = 60000)
    {
        RunOptions shell;
        shell.program = "/bin/sh";
        shell.timeoutMs = timeoutMs;
        shell.environment.insert("VBR", VELL_BATCHRULE_PATH);
        shell.environment.insert("DB", Db());
        return RunProgram({"-c", line}, shell);
    }
    void KeepOld(const QString& name)
    {
        QFile file(File(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kOldFile);
    }
    QByteArray Contents(const QString& name)
    {
        QFile file(File(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    // Nothing but the database and the named files is left in the folder.
    QStringList Leftovers() { return QDir(dir.path()).entryList(QDir::Files).filter(QRegularExpression("^(?!demo\\.sqlite$)")); }

    QTemporaryDir dir;
};

// The rule rows cannot be read (each row's rule), or the materials themselves.
class PrintThatCannotRead : public SoundOutput, public testing::WithParamInterface<const char*> {};

TEST_P(PrintThatCannotRead, ExitsOneAtOnceWithTheReasonAndKeepsTheOldFile)
{
    RunProgram({"sql", "--db", Db()}, GetParam());
    KeepOld("ledger.pdf");
    const Outcome run = Shell("\"$VBR\" print --db \"$DB\" --group 7 --pdf ledger.pdf; echo \"rc=$?\"", 30000);
    EXPECT_TRUE(run.out.endsWith("rc=1\n")) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains("no such table")) << run.err.toStdString();
    EXPECT_EQ(run.err.count("no such table"), 1) << "the first failed read ends the printout";
    EXPECT_EQ(Contents("ledger.pdf"), kOldFile);
    EXPECT_EQ(Leftovers(), QStringList{"ledger.pdf"});
}

INSTANTIATE_TEST_SUITE_P(SoundOutput, PrintThatCannotRead,
                         testing::Values("DROP TABLE ICBatchNoRule", "DROP TABLE t_ICItem"),
                         [](const auto& info) { return info.index == 0 ? "NoRuleTable" : "NoMaterialTable"; });

TEST_F(SoundOutput, AWriteThatFailsKeepsTheOldFileAndExitsOne)
{
    // A file size limit of 0 fails every write into a file, as a full disk does.
    const char* const commands[] = {"print --group 7 --pdf out.pdf", "rule export --out out.pdf",
                                    "rule export --format json --out out.pdf", "demo-db --out out.pdf"};
    for (const char* command : commands) {
        KeepOld("out.pdf");
        const Outcome run = Shell(QString("cd '%1' && ulimit -f 0 && \"$VBR\" %2 --db \"$DB\"")
                                      .arg(dir.path(), command));
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_TRUE(run.err.contains("out.pdf")) << command << ": " << run.err.toStdString();
        EXPECT_FALSE(run.out.contains("Wrote")) << command;
        EXPECT_EQ(Contents("out.pdf"), kOldFile) << command;
        EXPECT_EQ(Leftovers(), QStringList{"out.pdf"}) << command;
    }
    for (const char* command : commands) {
        const Outcome run = Shell(QString("\"$VBR\" %1 --db \"$DB\"").arg(QString(command).replace("out.pdf", "/dev/full")));
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_TRUE(run.err.contains("/dev/full")) << command << ": " << run.err.toStdString();
    }
}

// Past the file size limit, a command says so and exits 1 instead of dying
// of a signal; the database and the folder stay as they were.
TEST_F(SoundOutput, PastTheFileSizeLimitACommandFailsWithAMessageAndLeavesNothing)
{
    RunProgram({"rule", "export", "--db", Db(), "--out", File("rules.csv")});
    const QByteArray database = Contents("demo.sqlite");
    const std::pair<const char*, const char*> commands[] = {
        {"ulimit -f 0", "rule set --item 311 23:yymmdd 26:1:4"},
        {"ulimit -f 0", "options set BatchManual=0"},
        {"ulimit -f 0", "batch issue --item 311"},
        {"ulimit -f 0", "rule import rules.csv --replace-own-rules"},
        {"ulimit -f 0", "sql < rules.csv"},
    };
    for (const auto& [limit, command] : commands) {
        const Outcome run = Shell(QString("cd '%1' && echo 'DELETE FROM ICBatchNoRule' > batch.sql && %2 && \"$VBR\" %3 "
                                          "--db \"$DB\"; echo \"rc=$?\"")
                                      .arg(dir.path(), limit, QString(command).replace("sql < rules.csv", "sql < batch.sql")));
        EXPECT_TRUE(run.out.endsWith("rc=1\n")) << command << ": " << run.out.toStdString() << run.err.toStdString();
        EXPECT_FALSE(run.err.isEmpty()) << command;
        EXPECT_EQ(Contents("demo.sqlite"), database) << command;
        EXPECT_EQ(Leftovers(), (QStringList{"batch.sql", "rules.csv"})) << command;
    }
    const Outcome demo = Shell(QString("cd '%1' && ulimit -f 0 && \"$VBR\" demo-db --out new.sqlite").arg(dir.path()));
    EXPECT_EQ(demo.exitCode, 1) << demo.err.toStdString();
    EXPECT_EQ(Leftovers(), (QStringList{"batch.sql", "rules.csv"})) << "no *.partial";
}

// An address space too small for a printout: the memory runs out while the
// PDF is written, and the old file stays.
TEST_F(SoundOutput, OutOfMemoryACommandFailsWithAMessageAndKeepsTheOldFile)
{
    KeepOld("ledger.pdf");
    const Outcome run =
        Shell(QString("cd '%1' && ulimit -v 150000 && \"$VBR\" print --group 7 --pdf ledger.pdf --db \"$DB\"").arg(dir.path()));
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("not enough memory to finish print")) << run.err.toStdString();
    EXPECT_EQ(Contents("ledger.pdf"), kOldFile);
    EXPECT_EQ(Leftovers(), QStringList{"ledger.pdf"});
}

TEST_F(SoundOutput, AWholeWriteReplacesTheOldFile)
{
    KeepOld("ledger.pdf");
    KeepOld("rules.csv");
    const Outcome print = RunProgram({"print", "--db", Db(), "--group", "7", "--pdf", File("ledger.pdf")});
    EXPECT_EQ(print.exitCode, 0) << print.err.toStdString();
    EXPECT_TRUE(Contents("ledger.pdf").startsWith("%PDF-"));
    EXPECT_TRUE(Contents("ledger.pdf").trimmed().endsWith("%%EOF"));
    const Outcome exported = RunProgram({"rule", "export", "--db", Db(), "--out", File("rules.csv")});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out, "Wrote " + File("rules.csv") + " (6 rules)\n");
    EXPECT_EQ(Contents("rules.csv"), RunProgram({"rule", "export", "--db", Db()}).out.toUtf8());
    EXPECT_EQ(Leftovers(), QStringList({"ledger.pdf", "rules.csv"}));
    EXPECT_EQ(RunProgram({"rule", "lint", "--db", Db(), "--out", File("x")}).exitCode, 2) << "--out belongs to export";
}

TEST_F(SoundOutput, AReadWhoseOutputIsCutExitsOne)
{
    const char* const commands[] = {
        "show", "rule show --item 101", "rule lint", "rule preview --item 101", "rule export",
        "rule set --dry-run --group 7 23:yymmdd 26:1:4", "options show"};
    for (const char* command : commands) {
        const Outcome run = Shell(QString("\"$VBR\" %1 --db \"$DB\" > /dev/full").arg(command));
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_TRUE(run.err.contains("No space left on device") || run.err.contains("写入失败"))
            << command << ": " << run.err.toStdString();
    }
    const Outcome sql = Shell("echo 'SELECT FNumber FROM t_ICItem' | \"$VBR\" sql --db \"$DB\" > /dev/full");
    EXPECT_EQ(sql.exitCode, 1);
    EXPECT_TRUE(sql.err.contains("could not be written")) << sql.err.toStdString();
    EXPECT_EQ(Shell("\"$VBR\" rule show --item 101 --db \"$DB\" > /dev/null").exitCode, 0);
}

}
