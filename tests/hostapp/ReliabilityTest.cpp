// Commits of the real program under an unlucky user: killed at any moment,
// or running at the same time as another commit. Each commit is one unit of
// work, so the group and its materials always hold one commit's rule.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TempDatabase.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

namespace {

constexpr int kMaterials = 20000;
constexpr int kGroups = 20;

class Reliability : public testing::Test {
protected:
    void SetUp() override { DemoDatabase::WriteSynthetic(Db(), kGroups, kMaterials); }
    QString Db() const { return dir.filePath("big.sqlite"); }

    // A group rule for the root: a line number and a serial of the given length.
    QStringList SetRoot(int serialLength) const
    {
        return {"rule", "set", "--db", Db(), "--group", "0", "--replace-own-rules", "25:000",
                QString("26:1:%1").arg(serialLength)};
    }

    // The database opened as a fresh program would open it, read by `read`.
    template <typename Read>
    void Native(const Read& read) const
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "reliability-check");
            db.setDatabaseName(Db());
            db.open();
            QSqlQuery query(db);
            read(query);
        }
        QSqlDatabase::removeDatabase("reliability-check");
    }

    // Every owner's rule as "owner:detail:property/width,…", one line each.
    QString Rules() const
    {
        QString rules;
        Native([&](QSqlQuery& query) {
            query.exec("PRAGMA integrity_check");
            query.next();
            EXPECT_EQ(query.value(0).toString(), "ok");
            query.exec("SELECT FItemID || ':' || FDetail || ':' || group_concat(FPropertyID || '/' || FWidth) FROM "
                       "(SELECT * FROM ICBatchNoRule ORDER BY FItemID, FDetail, FID) GROUP BY FItemID, FDetail "
                       "ORDER BY FItemID, FDetail");
            while (query.next())
                rules += query.value(0).toString() + '\n';
        });
        return rules;
    }

    // The history's entries, each with the root's rows after it: "entries/entries with rows".
    QString HistoryEntries() const
    {
        QString entries;
        Native([&](QSqlQuery& query) {
            query.exec("SELECT COUNT(*), (SELECT COUNT(DISTINCT FEntryID) FROM ICBatchNoRuleHistoryRow "
                       "WHERE FStage = 1) FROM ICBatchNoRuleHistory WHERE FDetail < 2");
            query.next();
            entries = query.value(0).toString() + '/' + query.value(1).toString();
        });
        return entries;
    }

    // What the database holds after the root rule with this serial length landed.
    static QString RootRuleEverywhere(int serialLength)
    {
        const QString rule = QString("25/3,26/%1").arg(serialLength);
        QString rules = "0:0:" + rule + '\n';
        for (int id = kGroups + 1; id <= kGroups + kMaterials; ++id)
            rules += QString("%1:1:%2\n").arg(id).arg(rule);
        return rules;
    }

    QTemporaryDir dir;
};

// Starts a root rule commit and waits until it begins to write: the trace
// shows each batch just before it is sent. Answers the milliseconds waited.
qint64 StartWriting(QProcess& program, const QStringList& args, const QString& trace)
{
    QFile::remove(trace);
    QProcessEnvironment environment = ProgramEnvironment();
    environment.insert("VELL_SQL_TRACE", trace);
    program.setProcessEnvironment(environment);
    program.start(VELL_BATCHRULE_PATH, args);
    program.waitForStarted();
    QElapsedTimer waited;
    waited.start();
    QFile file(trace);
    while (program.state() == QProcess::Running && waited.elapsed() < 30000) {
        if (file.open(QIODevice::ReadOnly)) {
            if (file.readAll().contains(" Delete t1"))
                break;
            file.close();
        }
        QThread::usleep(200);
    }
    return waited.elapsed();
}

TEST_F(Reliability, KilledCommitLeavesAllOfTheOldRuleOrAllOfTheNew)
{
    const QString trace = dir.filePath("trace.sql");
    QProcess timing;
    StartWriting(timing, SetRoot(4), trace);
    QElapsedTimer writing;
    writing.start();
    ASSERT_TRUE(timing.waitForFinished(60000));
    ASSERT_EQ(timing.exitCode(), 0);
    const int writeMs = std::max<int>(int(writing.elapsed()), 5);
    QString before = Rules();
    ASSERT_EQ(before, RootRuleEverywhere(4));
    int landed = 0;
    for (int run = 0; run < 10; ++run) {
        const int length = 5 + run;
        QProcess program;
        StartWriting(program, SetRoot(length), trace);
        QThread::msleep(QRandomGenerator::global()->bounded(writeMs));
        program.kill();
        program.waitForFinished();
        const QString after = Rules();
        const bool newRule = after == RootRuleEverywhere(length);
        EXPECT_TRUE(newRule || after == before) << "run " << run << " left a mixture";
        landed += newRule;
        before = after;
        const QString recorded = QString::number(landed + 1);
        EXPECT_EQ(HistoryEntries(), recorded + '/' + recorded) << "run " << run << ": the rule and its record, both or neither";
    }
    RecordProperty("commits that landed before the kill", landed);
}

TEST_F(Reliability, TwoSpreadsAtOnceEachLandWhole)
{
    for (int round = 0; round < 10; ++round) {
        QProcess first, second;
        first.start(VELL_BATCHRULE_PATH, SetRoot(4));
        second.start(VELL_BATCHRULE_PATH, SetRoot(6));
        ASSERT_TRUE(first.waitForFinished(60000) && second.waitForFinished(60000));
        EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
        const QString after = Rules();
        EXPECT_TRUE(after == RootRuleEverywhere(4) || after == RootRuleEverywhere(6)) << "round " << round;
    }
}

TEST_F(Reliability, SpreadAndItemSaveAtOnceDoNotInterleave)
{
    const QString item = QString::number(kGroups + 1);
    for (int round = 0; round < 10; ++round) {
        QProcess spread, save;
        spread.start(VELL_BATCHRULE_PATH, SetRoot(4));
        save.start(VELL_BATCHRULE_PATH, {"rule", "set", "--db", Db(), "--item", item, "23:yymmdd"});
        ASSERT_TRUE(spread.waitForFinished(60000) && save.waitForFinished(60000));
        EXPECT_EQ(spread.exitCode(), 0) << spread.readAllStandardError().toStdString();
        EXPECT_EQ(save.exitCode(), 0) << save.readAllStandardError().toStdString();
        const QString spreadLast = RootRuleEverywhere(4);
        const QString saveLast =
            QString(spreadLast).replace("\n" + item + ":1:25/3,26/4\n", "\n" + item + ":1:23/6\n");
        const QString after = Rules();
        EXPECT_TRUE(after == spreadLast || after == saveLast) << "round " << round;
    }
}

}
