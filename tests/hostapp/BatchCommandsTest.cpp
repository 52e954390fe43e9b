// Issuing batch numbers from the command line and from several processes at once.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <memory>

namespace {

const QStringList kSixDigitMaterials{"101", "102", "111", "112"};

class BatchCommand : public testing::Test {
protected:
    void SetUp() override { DemoDatabase::WriteHandMade(Db()); }
    QString Db() const { return dir.filePath("demo.sqlite"); }
    Outcome Run(QStringList args) { return RunProgram(args << "--db" << Db()); }

    // Straight through SQLite, beside the program: what the tests look at and set up.
    QString Native(const QString& sql)
    {
        QStringList rows;
        {
            QSqlDatabase native = QSqlDatabase::addDatabase("QSQLITE", "batch-native");
            native.setDatabaseName(Db());
            EXPECT_TRUE(native.open());
            QSqlQuery query(native);
            EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
            while (query.next())
                rows << query.value(0).toString();
        }
        QSqlDatabase::removeDatabase("batch-native");
        return rows.join('\n');
    }
    // The material's code, the date, then a serial from 1 at length 6, for each material.
    void SixDigitSerials()
    {
        for (const QString& item : kSixDigitMaterials) {
            Native("DELETE FROM ICBatchNoRule WHERE FDetail = 1 AND FItemID = " + item);
            const QString insert = "INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FFormatDate,FSelDefine,FWidth,FDetail) "
                                   "VALUES (%1," + item + ",%2,'%3','%4',%5,1)";
            Native(insert.arg(1).arg(4).arg("", "", "9"));
            Native(insert.arg(2).arg(23).arg("yymmdd", "", "6"));
            Native(insert.arg(3).arg(26).arg("", "1", "6"));
        }
    }
    std::unique_ptr<QProcess> StartProbe(const QString& item, int units, int count = 1)
    {
        auto probe = std::make_unique<QProcess>();
        probe->start(VELL_ISSUE_PROBE, {Db(), item, "2026-05-12", QString::number(units), QString::number(count)});
        EXPECT_TRUE(probe->waitForStarted());
        return probe;
    }

    QTemporaryDir dir;
};

TEST_F(BatchCommand, IssuesPeeksAndInitsFromTheCommandLine)
{
    const QStringList document{"--item", "101", "--date", "2026-05-12", "--value", "8=S01"};
    EXPECT_EQ(Run(QStringList{"batch", "init"}).out, "The component's tables are there already (ICBatchNoSerial, ICBatchNoIssued, ICBatchNoIssuedTrace, ICBatchNoRuleHistory)\n");
    EXPECT_EQ(Run(QStringList{"batch", "peek"} + document).out, "S01000-2605001\n");
    const Outcome issued = Run(QStringList{"batch", "issue", "--count", "3"} + document);
    EXPECT_EQ(issued.exitCode, 0) << issued.err.toStdString();
    EXPECT_EQ(issued.out, "S01000-2605001\nS01000-2605002\nS01000-2605003\n");
    EXPECT_EQ(Run(QStringList{"batch", "peek"} + document).out, "S01000-2605004\n");
    EXPECT_EQ(Run(QStringList{"rule", "preview"} + document).out, "S01000-2605001\n") << "the preview takes nothing";

    const Outcome repeating = Run({"batch", "issue", "--item", "301", "--value", "20=RK1", "--count", "2"});
    EXPECT_EQ(repeating.exitCode, 0);
    EXPECT_EQ(repeating.out, "RK10000000" "01\nRK10000000" "01\n");
    EXPECT_EQ(repeating.err.count('\n'), 1) << "said once: " << repeating.err.toStdString();

    Native("DROP TABLE ICBatchNoSerial");
    const Outcome missing = Run({"batch", "issue", "--item", "101", "--props", "UserID=16394;LANGUAGE=en"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("run “vell-batchrule batch init”")) << missing.err.toStdString();
    EXPECT_EQ(Run({"init"}).out, "Created the component's tables where they were missing (ICBatchNoSerial, ICBatchNoIssued, ICBatchNoIssuedTrace, ICBatchNoRuleHistory)\n");
    EXPECT_EQ(Run({"init"}).out, "The component's tables are there already (ICBatchNoSerial, ICBatchNoIssued, ICBatchNoIssuedTrace, ICBatchNoRuleHistory)\n") << "idempotent";
    EXPECT_EQ(Run({"batch", "issue", "--item", "201", "--props", "UserID=16395"}).exitCode, 1) << "a material unseen";
}

TEST_F(BatchCommand, WrongCommandLinesExitTwo)
{
    for (const QStringList& args : {QStringList{"batch", "issue"}, {"batch", "issue", "--item", "101", "--count", "0"},
                                    {"batch", "peek", "--item", "101", "--count", "2"},
                                    {"batch", "issue", "--group", "7"}, {"batch", "frog"}})
        EXPECT_EQ(Run(args).exitCode, 2) << args.join(' ').toStdString();
}

TEST_F(BatchCommand, TraceNamesTheRuleWriteThatSetTheVersionANumberCameFrom)
{
    const QStringList admin{"--props", "UserID=16394;UserName=张三;LANGUAGE=chs"};
    struct Case {
        QStringList write;   // rule set's arguments before the issue; none: the demo's rule, set before any history
        QString setBy;
    };
    const Case cases[] = {
        {{}, "设置该规则版本的更改没有记录在案\n"},
        {{"--item", "311", "23:yymmdd", "26:1:3"}, "该规则版本由用户16394 张三于%1经由命令行设置（历史记录1，物料311）\n"},
        {{"--group", "7", "--replace-own-rules", "23:yymm", "26:1:5"}, "该规则版本由用户16394 张三于%1经由命令行设置（历史记录2，物料组7）\n"},
    };
    QStringList numbers;
    for (const Case& c : cases) {
        if (!c.write.isEmpty()) {
            ASSERT_EQ(Run(QStringList{"rule", "set"} + c.write + admin).exitCode, 0);
        }
        const QString number = Run(QStringList{"batch", "issue", "--item", "311", "--date", "2026-05-12"} + admin).out.trimmed();
        const QString version = Run({"rule", "show", "--item", "311"}).out.section("version ", 1).trimmed();
        const QString written = Native("SELECT MAX(FTime) FROM ICBatchNoRuleHistory");
        const Outcome traced = Run(QStringList{"batch", "trace", "--item", "311", number} + admin);
        EXPECT_EQ(traced.exitCode, 0) << traced.err.toStdString();
        EXPECT_TRUE(traced.out.startsWith("批号“" + number + "”于")) << traced.out.toStdString();
        EXPECT_TRUE(traced.out.contains("发放给用户16394 张三，由批号规则版本" + version + "组成\n")) << traced.out.toStdString();
        EXPECT_TRUE(traced.out.endsWith(c.write.isEmpty() ? c.setBy : c.setBy.arg(written))) << traced.out.toStdString();
        numbers << number;
    }
    EXPECT_TRUE(Run({"batch", "trace", "--item", "311", numbers[0]}).out.contains("没有记录在案"))
        << "later writes of other versions leave the first number's origin as it was";

    const Outcome never = Run({"batch", "trace", "--item", "311", "S'01"});
    EXPECT_EQ(never.exitCode, 1);
    EXPECT_TRUE(never.err.contains("没有为03.02.001(天然矿泉水 550ml)发放过批号“S'01”")) << never.err.toStdString();
    EXPECT_EQ(Run({"batch", "trace", "--item", "312", numbers[1]}).exitCode, 1) << "issued for another material";
    const QStringList restricted{"--item", "201", "--props", "UserID=16395"};
    const Outcome unseen = Run(QStringList{"batch", "trace", "X"} + restricted);
    EXPECT_EQ(unseen.exitCode, 1);
    EXPECT_EQ(unseen.err, Run(QStringList{"batch", "issue"} + restricted).err) << "refused as the issuer refuses";
}

// Sixteen processes issue 1,000 numbers each, four to a unit, all at once:
// each waits its turn for the lock, none gives up while the others run on.
class AtOnce : public BatchCommand, public testing::WithParamInterface<int> {};

TEST_P(AtOnce, SixteenProcessesNeverShareANumberEachGetsItsTurnAndEachSerialRunsOnFromOne)
{
    SixDigitSerials();
    const int materials = GetParam();
    std::vector<std::unique_ptr<QProcess>> probes;
    for (int i = 0; i < 16; ++i)
        probes.push_back(StartProbe(kSixDigitMaterials[i % materials], 250, 4));
    QStringList numbers;
    for (auto& probe : probes) {
        EXPECT_TRUE(probe->waitForFinished(120000));
        EXPECT_EQ(probe->exitCode(), 0) << probe->readAllStandardError().toStdString();
        numbers += QString::fromUtf8(probe->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    ASSERT_EQ(numbers.size(), 16000);
    EXPECT_EQ(QSet<QString>(numbers.begin(), numbers.end()).size(), 16000);
    QStringList expected;
    const int each = 16000 / materials;
    for (int m = 0; m < materials; ++m) {
        const QString code = Native("SELECT FNumber FROM t_ICItem WHERE FItemID = " + kSixDigitMaterials[m]);
        for (int serial = 1; serial <= each; ++serial)
            expected << code + QString("260512%1").arg(serial, 6, 10, QChar('0'));
    }
    numbers.sort();
    expected.sort();
    EXPECT_EQ(numbers, expected) << "the serials of each material consecutive from 1";
    EXPECT_EQ(Native("SELECT COUNT(*) FROM ICBatchNoIssued"), "16000");
    EXPECT_EQ(Native("PRAGMA integrity_check"), "ok");
}

INSTANTIATE_TEST_SUITE_P(Materials, AtOnce, testing::Values(1, 4));

TEST_F(BatchCommand, KilledAtAnyMomentNoNumberComesTwiceAndTheCounterNeverGoesBack)
{
    SixDigitSerials();
    QSet<QString> printed;
    qint64 counter = 0;
    for (int run = 0; run < 10; ++run) {
        auto probe = StartProbe("101", 100000);
        QThread::msleep(QRandomGenerator::global()->bounded(50, 400));
        probe->kill();
        probe->waitForFinished();
        for (const QString& number : QString::fromUtf8(probe->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            EXPECT_FALSE(printed.contains(number)) << number.toStdString();
            printed << number;
        }
        const qint64 next = Native("SELECT FNext FROM ICBatchNoSerial").toLongLong();
        qint64 highest = 0;
        for (const QString& number : printed)
            highest = std::max(highest, number.right(6).toLongLong());
        EXPECT_LE(next - 1 - highest, 1) << "only the unit the kill cut between its commit and its line is lost";
        EXPECT_GT(next, highest);
        EXPECT_GE(next, counter) << "run " << run;
        counter = next;
    }
    EXPECT_GT(printed.size(), 0);
    const QStringList recorded = Native("SELECT FBatchNo FROM ICBatchNoIssued").split('\n');
    EXPECT_TRUE(QSet<QString>(recorded.begin(), recorded.end()).contains(printed)) << "every number printed is on record";
    EXPECT_EQ(Native("PRAGMA integrity_check"), "ok");
}

}
