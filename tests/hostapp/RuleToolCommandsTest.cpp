// The rule tools of vell-batchrule, end to end on demo files: preview, the
// spread's dry run, lint, export and import.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

// Every rule row of a file (or what the query gives), hashed: equal hashes, equal rows.
QByteArray Rows(const QString& db, const char* sql = "SELECT FItemID,FDetail,FID,FPropertyID,FUseShortNumber,FFormatDate,"
                                                     "FSelDefine,FWidth,FCharacter,FSubCharacter FROM ICBatchNoRule "
                                                     "ORDER BY 1,2,3")
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    {
        QSqlDatabase native = QSqlDatabase::addDatabase("QSQLITE", "rows");
        native.setDatabaseName(db);
        native.open();
        QSqlQuery query(native);
        query.setForwardOnly(true);
        query.exec(QString::fromUtf8(sql));
        while (query.next())
            for (int i = 0; i < 10 && query.value(i).isValid(); ++i)
                hash.addData((query.value(i).toString() + '|').toUtf8());
    }
    QSqlDatabase::removeDatabase("rows");
    return hash.result().toHex();
}

class RuleTool : public testing::Test {
protected:
    void SetUp() override { DemoDatabase::WriteHandMade(Db()); }
    QString Db() const { return dir.filePath("demo.sqlite"); }
    QString File(const QString& name) const { return dir.filePath(name); }

    Outcome Run(QStringList args, const QString& db = QString())
    {
        return RunProgram(args << "--db" << (db.isEmpty() ? Db() : db));
    }
    void Sql(const QString& batch, const QString& db = QString())
    {
        const Outcome run = RunProgram({"sql", "--db", db.isEmpty() ? Db() : db}, batch);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(File(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Everything() { return Rows(Db()) + Rows(Db(), "SELECT FKey,FValue FROM t_SystemProfile ORDER BY 1"); }

    QTemporaryDir dir;
};

TEST_F(RuleTool, PreviewPrintsTheNumberOfTheStoredRuleForTheDocumentGiven)
{
    // 101: supplier code at 6 with pad 0 and substitute Z, "-", yymm, a serial of 3.
    Outcome run = Run({"rule", "preview", "--item", "101", "--date", "2026-12-07"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "02.001-2612001\n") << "the sample supplier code 02.0012, cut to 6";
    EXPECT_EQ(Run({"rule", "preview", "--item", "101", "--date", "2026-12-07", "--value", "供应商代码=V9"}).out,
              "V90000-2612001\n");
    EXPECT_EQ(Run({"rule", "preview", "--item", "101", "--date", "2026-12-07", "--value", "8="}).out, "ZZZZZZ-2612001\n")
        << "no supplier on the document: the substitute";
    EXPECT_EQ(Run({"rule", "preview", "--item", "301", "--line", "7", "--value", "20=RK42"}).out, "RK4200000007\n");
    // The food group: the material's short code at 6 with pad 0, yymmdd, a serial of 4.
    EXPECT_EQ(Run({"rule", "preview", "--group", "7", "--date", "2027-01-31", "--value", "4=03.02.009"}).out,
              "0090002701310001\n");
    EXPECT_EQ(Run({"rule", "preview", "--item", "312", "--date", "2027-01-31"}).out, "0020002701310001\n")
        << "the material's own code: 03.02.002";
}

TEST_F(RuleTool, PreviewRefusesWhatItCannotShow)
{
    const Outcome none = Run({"rule", "preview", "--item", "102"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("01.01.002(热轧卷板 Q235)没有批号规则")) << none.err.toStdString();
    const Outcome unknown = Run({"rule", "preview", "--item", "101", "--value", "仓位=1"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("属性“仓位”不在属性目录中")) << unknown.err.toStdString();
    for (const QStringList& args : {QStringList{"--date", "2026-13-01"}, QStringList{"--date", "7.12.2026"},
                                    QStringList{"--line", "0"}, QStringList{"--line", "x"}, QStringList{"--value", "8"}})
        EXPECT_EQ(Run(QStringList{"rule", "preview", "--item", "101"} + args).exitCode, 2) << args.join(' ').toStdString();
    EXPECT_EQ(Run({"rule", "show", "--item", "101", "--date", "2026-12-07"}).exitCode, 2) << "--date is preview's";
    EXPECT_EQ(Run({"rule", "preview", "--item", "101", "extra"}).exitCode, 2);
}

TEST_F(RuleTool, DryRunPrintsWhatTheSpreadWouldChangeAndWritesNothing)
{
    const QByteArray before = Everything();
    const Outcome replace = Run({"rule", "set", "--group", "5", "--replace-own-rules", "--dry-run", "单据号码::10:0", "26:1:4"});
    EXPECT_EQ(replace.exitCode, 0) << replace.err.toStdString();
    EXPECT_EQ(replace.out, "物料组“03(产成品)”的规则： → [单据号码]+[流水号]\n"
                           "将更改 5 个物料的规则\n"
                           "03.01.001\t智能手机 X1\t[单据号码]+[行号] → [单据号码]+[流水号]\n"
                           "03.01.002\t平板电脑 T8\t → [单据号码]+[流水号]\n"
                           "03.02.001\t天然矿泉水 550ml\t[日期]+[流水号] → [单据号码]+[流水号]\n"
                           "03.02.002\t绿茶饮料 500ml\t[物料代码]+[日期]+[流水号] → [单据号码]+[流水号]\n"
                           "03.02.003\t乌龙茶饮料 500ml\t[物料代码]+[日期]+[流水号] → [单据号码]+[流水号]\n");
    const Outcome spare = Run({"rule", "set", "--group", "5", "--dry-run", "25"});
    EXPECT_EQ(spare.exitCode, 0) << spare.err.toStdString();
    EXPECT_EQ(spare.out.section('\n', 1), "将更改 1 个物料的规则（保留 4 个）\n03.01.002\t平板电脑 T8\t → [行号]\n")
        << "the stored option spares own rules";
    const Outcome item = Run({"rule", "set", "--item", "101", "--dry-run", "25"});
    EXPECT_EQ(item.out, "将更改 1 个物料的规则\n01.01.001\t冷轧钢板 1.0mm\t[供应商代码]+[自定义]+[日期]+[流水号] → [行号]\n");
    EXPECT_EQ(Everything(), before) << "not even the options";
}

TEST_F(RuleTool, DryRunRefusesAsTheCommitDoes)
{
    const QByteArray before = Everything();
    const Outcome run = Run({"rule", "set", "--item", "102", "--dry-run", "23:yymmdd", "20::8"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("系统检测到[级次=2]的编码属性的补位符未设置，请重新设置！")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(Run({"rule", "set", "--group", "99", "--dry-run", "25"}).exitCode, 1);
    EXPECT_EQ(Everything(), before);
}

TEST_F(RuleTool, LintReportsEveryFindingAndExitsOneOnlyForErrors)
{
    const Outcome clean = Run({"rule", "lint"});
    EXPECT_EQ(clean.exitCode, 0) << clean.err.toStdString();
    EXPECT_EQ(clean.out, "提示\t物料组\t03.02(食品饮料)\t第3级的流水号长4位，每天最多9999个批次\n"
                         "提示\t物料\t01.01.001(冷轧钢板 1.0mm)\t第4级的流水号长3位，每月最多999个批次\n"
                         "警告\t物料\t03.01.001(智能手机 X1)\t规则中既没有日期也没有流水号，同一张单据的各批次会得到相同的批号\n"
                         "提示\t物料\t03.02.001(天然矿泉水 550ml)\t第2级的流水号长4位，每天最多9999个批次\n"
                         "提示\t物料\t03.02.002(绿茶饮料 500ml)\t第3级的流水号长4位，每天最多9999个批次\n"
                         "提示\t物料\t03.02.003(乌龙茶饮料 500ml)\t第3级的流水号长4位，每天最多9999个批次\n"
                         "检查了6条规则：0个错误，1个警告，5个提示\n");
    Sql("INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FSelDefine,FWidth) VALUES (3,301,26,'1',4),(4,301,26,'1',4)");
    const Outcome broken = Run({"rule", "lint"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.out.contains("错误\t物料\t03.01.001(智能手机 X1)\t流水号只能设置一次，请重新设置\n")) << broken.out.toStdString();
    EXPECT_TRUE(broken.out.endsWith("检查了6条规则：1个错误，0个警告，7个提示\n")) << broken.out.toStdString();
    const Outcome english = Run({"rule", "lint", "--props", "UserID=16394;LANGUAGE=en"});
    EXPECT_TRUE(english.out.contains("Error\tMaterial\t03.01.001(智能手机 X1)\t")) << english.out.toStdString();
}

TEST_F(RuleTool, LintSeesOnlyWhatTheUserMaySee)
{
    const Outcome run = Run({"rule", "lint", "--props", "UserID=16395;LANGUAGE=chs"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(run.out.contains("03.01.001"));
    EXPECT_TRUE(run.out.endsWith("检查了5条规则：0个错误，0个警告，5个提示\n")) << run.out.toStdString();
}

// The root's rule reaches every material: only a user who may see every group reads it.
TEST_F(RuleTool, EveryReadKeepsToTheUsersGrants)
{
    Sql("INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FFormatDate,FWidth,FDetail) VALUES (1,0,23,'yymmdd',6,0)");
    struct User {
        const char* id;
        bool seesTheRoot;
        int rules;
        QStringList groupsShown, materialsShown;   // the first and last of them
        int rulesShown;                            // rows
    };
    const User users[] = {
        {"16394", true, 7, {"01", "03.02"}, {"01.01.001", "03.02.003"}, 18},
        {"16395", false, 5, {"01", "03.02"}, {"01.01.001", "03.02.003"}, 15},
        {"424242", false, 0, {}, {}, 0},
    };
    for (const User& user : users) {
        const QString props = QString("UserID=%1;LANGUAGE=chs").arg(user.id);
        const Outcome exported = Run({"rule", "export", "--props", props});
        EXPECT_EQ(exported.out.contains("\r\ngroup,,"), user.seesTheRoot) << user.id;
        EXPECT_EQ(Run({"rule", "export", "--format", "json", "--props", props}).out.count("\"Owner\""), user.rules) << user.id;
        EXPECT_TRUE(Run({"rule", "lint", "--props", props}).out.contains(QString("检查了%1条规则").arg(user.rules))) << user.id;
        const QStringList sections = Run({"show", "--props", props}).out.split("\n\n");
        ASSERT_EQ(sections.size(), 5) << user.id;
        const auto column = [](const QString& section, int index) {
            QStringList values;
            for (const QString& line : section.split('\n').mid(2))
                values << line.section('\t', index, index);
            return values;
        };
        const QStringList groups = column(sections[0], 1), materials = column(sections[1], 1);
        EXPECT_EQ(groups.isEmpty() ? QStringList() : QStringList({groups.first(), groups.last()}), user.groupsShown) << user.id;
        EXPECT_EQ(materials.isEmpty() ? QStringList() : QStringList({materials.first(), materials.last()}), user.materialsShown)
            << user.id;
        EXPECT_EQ(column(sections[2], 0).size(), user.rulesShown) << user.id;
        EXPECT_EQ(column(sections[2], 0).contains("0"), user.seesTheRoot) << user.id;
    }
}

TEST_F(RuleTool, ExportWritesEveryRuleByItsOwnersNumber)
{
    const Outcome csv = Run({"rule", "export"});
    EXPECT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    EXPECT_TRUE(csv.out.startsWith("Owner,Number,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                                   "FSubCharacter\r\n"
                                   "group,03.02,1,4,1,,,6,0,\r\n"
                                   "group,03.02,2,23,0,yymmdd,,6,,\r\n"
                                   "group,03.02,3,26,0,,1,4,,\r\n"
                                   "item,01.01.001,1,8,0,,,6,0,Z\r\n"))
        << csv.out.toStdString();
    EXPECT_EQ(csv.out.count("\r\n"), 1 + 17);
    const Outcome json = Run({"rule", "export", "--format", "json"});
    EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonArray rules = QJsonDocument::fromJson(json.out.toUtf8())["Rules"].toArray();
    ASSERT_EQ(rules.size(), 6);
    EXPECT_EQ(rules[5]["Number"].toString(), "03.02.003");
    EXPECT_EQ(rules[5]["Elements"].toArray().size(), 3);
    EXPECT_EQ(Run({"rule", "export", "--format", "xml"}).exitCode, 2);
}

TEST_F(RuleTool, ExportThatCannotBeWrittenExitsOne)
{
    RunOptions shell;
    shell.program = "/bin/sh";
    const Outcome run = RunProgram({"-c", QString("'%1' rule export --db '%2' > /dev/full").arg(VELL_BATCHRULE_PATH, Db())}, shell);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("规则文件没有写完")) << run.err.toStdString();
}

TEST_F(RuleTool, ImportOfAnExportGivesTheSameRowsInAnotherDatabase)
{
    const Outcome exported = Run({"rule", "export"});
    Write("rules.csv", exported.out.toUtf8());
    const QString copy = File("copy.sqlite");
    DemoDatabase::WriteHandMade(copy);
    Sql("DELETE FROM ICBatchNoRule", copy);
    const Outcome dry = Run({"rule", "import", File("rules.csv"), "--dry-run"}, copy);
    EXPECT_EQ(dry.exitCode, 0) << dry.err.toStdString();
    EXPECT_EQ(dry.out, "物料组03.02(食品饮料)：将更改 3 个物料的规则（保留 0 个）\n"
                       "可以导入5条物料规则和1条物料组规则；试运行，什么也没有写\n");
    EXPECT_NE(Rows(copy), Rows(Db()));
    const Outcome imported = Run({"rule", "import", File("rules.csv")}, copy);
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "导入了5条物料规则和1条物料组规则\n");
    EXPECT_EQ(Rows(copy), Rows(Db()));
}

// An export with its versions carries what rule show prints; an import
// that insists on them writes nothing once any rule moved on, or when the
// file carries none.
TEST_F(RuleTool, ImportIfUnchangedRefusesARuleThatMovedOnSinceTheExport)
{
    const Outcome exported = Run({"rule", "export", "--versions"});
    const QString version = Run({"rule", "show", "--item", "101"}).out.section("version ", 1).trimmed();
    EXPECT_TRUE(exported.out.contains(",Version\r\n")) << exported.out.toStdString();
    EXPECT_TRUE(exported.out.contains(",Z," + version + "\r\n")) << version.toStdString();
    Write("versions.csv", exported.out.toUtf8());
    Write("plain.csv", Run({"rule", "export"}).out.toUtf8());
    struct Case {
        const char* file;
        bool movedOn;
        int exitCode;
        const char* says;
    };
    for (const Case c : {Case{"versions.csv", false, 0, ""}, Case{"plain.csv", false, 1, "has no Version column"},
                         Case{"versions.csv", true, 1, "was changed after the export (record 1, material 101: "}}) {
        SetUp();
        if (c.movedOn) {
            ASSERT_EQ(Run({"rule", "set", "--item", "101", "23:yymmdd"}).exitCode, 0);
        }
        const QByteArray before = Everything();
        const Outcome run = Run({"rule", "import", File(c.file), "--if-unchanged", "--props", "UserID=16394;LANGUAGE=en"});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.file << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        if (c.exitCode) {
            EXPECT_EQ(Everything(), before) << "nothing written";
        }
    }
}

TEST_F(RuleTool, ImportWithARefusedLineListsEveryOneAndWritesNothing)
{
    Write("rules.csv", "Owner,Number,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter\n"
                       "item,01.01.002,1,25,0,00,,2,,\n"
                       "item,01.01.009,1,25,0,00,,2,,\n"
                       "item,02.001,1,20,0,,,10,,\n");
    const QByteArray before = Everything();
    const Outcome run = Run({"rule", "import", File("rules.csv"), "--replace-own-rules"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("2处不能导入，什么也没有写：\n第3行：找不到批次管理的物料01.01.009或无权查看它\n"
                                 "第4行：系统检测到[级次=1]的编码属性的补位符未设置，请重新设置！"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(Everything(), before);
}

TEST_F(RuleTool, ImportSaysWhyAFileCannotBeRead)
{
    Write("latin1.csv", "Owner,Number,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter\n"
                        "item,caf\xe9,1,25,0,00,,2,,\n");
    const Outcome notUtf8 = Run({"rule", "import", File("latin1.csv")});
    EXPECT_EQ(notUtf8.exitCode, 1);
    EXPECT_TRUE(notUtf8.err.contains("不是UTF-8文本")) << notUtf8.err.toStdString();
    const Outcome missing = Run({"rule", "import", File("nothing.csv")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("打不开规则文件")) << missing.err.toStdString();
    Write("empty.csv", "");
    EXPECT_TRUE(Run({"rule", "import", File("empty.csv")}).err.contains("第1行：第一行应是表头"));
    EXPECT_EQ(Run({"rule", "import"}).exitCode, 2);
    EXPECT_EQ(Run({"rule", "import", File("empty.csv"), "--spare-own-rules", "--replace-own-rules"}).exitCode, 2);
    EXPECT_EQ(Run({"rule", "lint", "--dry-run"}).exitCode, 2);
}

TEST_F(RuleTool, ImportRefusesWhatIsNoRuleFileBeforeItFillsTheMemory)
{
    // A gigabyte of address space is far more than a rule file needs, and far less than an endless one takes.
    RunOptions shell;
    shell.program = "/bin/sh";
    shell.timeoutMs = 30000;
    const Outcome zeros = RunProgram(
        {"-c", QString("ulimit -v 1000000; '%1' rule import --db '%2' /dev/zero").arg(VELL_BATCHRULE_PATH, Db())}, shell);
    EXPECT_EQ(zeros.exitCode, 1);
    EXPECT_TRUE(zeros.err.contains("规则文件/dev/zero的第1行长于16384字节")) << zeros.err.toStdString();
    // 11 batch-managed materials, 8 groups and the root, each with eight levels at the most.
    QByteArray rows = "Owner,Number,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter\n";
    for (int i = 1; i <= 8 * 20 + 1; ++i)
        rows += "item,01.01.001," + QByteArray::number(i) + ",25,0,00,,2,,\n";
    Write("many.csv", rows);
    const QByteArray before = Everything();
    const Outcome many = Run({"rule", "import", File("many.csv")});
    EXPECT_EQ(many.exitCode, 1);
    EXPECT_TRUE(many.err.contains("多于160行")) << many.err.toStdString();
    EXPECT_EQ(Everything(), before);
}

// 100,000 materials, half of them with an 8-element rule: the file carries
// every row, and the import puts every one back through the editor.
TEST(RuleToolAtScale, ExportAndImportRoundTripOnAHundredThousandMaterials)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.sqlite"), copy = dir.filePath("copy.sqlite"), csv = dir.filePath("rules.csv");
    DemoDatabase::WriteSynthetic(source, 1000, 100000);
    ASSERT_TRUE(QFile::copy(source, copy));
    RunOptions slow;
    slow.timeoutMs = 15 * 60 * 1000;
    const Outcome exported = RunProgram({"rule", "export", "--db", source}, slow);
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out.count("\r\n"), 1 + 50000 * 8);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(exported.out.toUtf8());
    file.close();
    ASSERT_EQ(RunProgram({"sql", "--db", copy}, "DELETE FROM ICBatchNoRule").exitCode, 0);
    const Outcome imported = RunProgram({"rule", "import", csv, "--db", copy}, slow);
    ASSERT_EQ(imported.exitCode, 0) << imported.err.left(2000).toStdString();
    EXPECT_EQ(imported.out, "导入了50000条物料规则和0条物料组规则\n");
    EXPECT_EQ(Rows(copy), Rows(source));
}

}
