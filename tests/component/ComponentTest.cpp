// The component as hosts get it: the shared library's exported names and an
// outside host built against an installed copy. The Debian packages are
// checked where they are built (tests/packages).
#define VELL_BATCHRULE_PATH VELL_BUILD_DIR "/hostapp/vell-batchrule"
#include "../hostapp/ProgramRun.h"
#include "TestSupport.h"

#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

Outcome Tool(const QString& program, const QStringList& args, int timeoutMs = 300000)
{
    RunOptions options;
    options.program = program;
    options.timeoutMs = timeoutMs;
    return RunProgram(args, options);
}

// The demangled names the library defines for its hosts, without their parameters.
QStringList ExportedNames()
{
    const Outcome nm = Tool("nm", {"-D", "--defined-only", "-C", VELL_LIBRARY_PATH});
    EXPECT_EQ(nm.exitCode, 0) << nm.err.toStdString();
    QStringList names;
    for (const QString& line : nm.out.split('\n', Qt::SkipEmptyParts))
        names << line.section(' ', 2).section('(', 0, 0);
    return names;
}

TEST(Library, ExportsOnlyThePublicNames)
{
    static const QRegularExpression allowed(
        "^(vellbatchrule::(BatRuleFace|HostError|ComponentRegistry|ValueBag|ValueList|RuleAdmin|BatchNumberIssuer|AppConnection)::"
        "|(typeinfo|typeinfo name|vtable) for vellbatchrule::(AppConnection|DataAccess|GlossaLoader|HelpViewer|HostComponent"
        "|HostError|MessageBox|ResourceLoader|ShareProps|TextFormatter|Recordset|RowReader)$"
        "|vellbatchrule::(ComponentResourceDir|UseStockComponents|SessionLanguage|IsOdbcConnectionString|ShownConnection|WindowSystemProblem)$"
        "|vbr_(open|face_create|face_show|face_release|last_error_text|last_error_number|fail|answer_text"
        "|add_(column|text|integer|real|null)|register_(connection|message_box|data_access)"
        "|issuer_open|issuer_release|issue|peek|create_counter_table|show_rule|set_rule|import_rules)$)");
    const QStringList names = ExportedNames();
    EXPECT_GT(names.size(), 30);
    QStringList unexpected;
    for (const QString& name : names)
        if (!allowed.match(name).hasMatch())
            unexpected << name;
    EXPECT_TRUE(unexpected.isEmpty()) << unexpected.join('\n').toStdString();
    for (const char* needed : {"vellbatchrule::BatRuleFace::Show", "vellbatchrule::ComponentRegistry::Instance", "vbr_face_create",
                               "vellbatchrule::HostError::HostError", "vellbatchrule::RuleAdmin::LintRules",
                               // a host's own connection derives from it and is cast to it across the library's edge
                               "typeinfo for vellbatchrule::AppConnection", "vtable for vellbatchrule::AppConnection"})
        EXPECT_TRUE(names.contains(needed)) << needed;
}

TEST(Library, HasItsVersionAndSoname)
{
    const Outcome dynamic = Tool("readelf", {"-d", VELL_LIBRARY_PATH});
    EXPECT_TRUE(dynamic.out.contains("Library soname: [libvellbatchrule.so.1]")) << dynamic.out.toStdString();
    EXPECT_TRUE(QFileInfo(VELL_LIBRARY_PATH).canonicalFilePath().endsWith("libvellbatchrule.so." VELL_VERSION));
}

// Where no window can open, vbr_face_show answers -1 and says why instead of aborting the host.
TEST(CEntry, ShowRefusesWhereNoWindowCanOpenAndTwoObjectsEachShow)
{
    struct Case {
        const char* mode;
        const char* platform;   // QT_QPA_PLATFORM; nullptr: none, and no display either
        const char* answer;
    };
    const Case cases[] = {
        {"", nullptr, "-1 Cannot show the main window: there is no display to open the window on"},
        {"core-application", "offscreen", "-1 The host's application object is no QApplication"},
        {"two-faces", "offscreen", "0 \n"},
    };
    for (const Case& c : cases) {
        RunOptions options;
        options.program = VELL_FACE_PROBE;
        options.timeoutMs = 30000;
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            options.environment.remove(name);
        if (c.platform)
            options.environment.insert("QT_QPA_PLATFORM", c.platform);
        const Outcome run = RunProgram({c.mode}, options);
        EXPECT_EQ(run.exitCode, 0) << c.mode << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(c.answer)) << c.mode << ": " << run.out.toStdString();
    }
}

// A host's table is taken whole and only in a layout this library knows: a
// host built against a later or a broken header is refused, not misread.
TEST(CEntry, TakesATableOnlyWholeAndInALayoutItKnows)
{
    RunOptions options;
    options.program = VELL_FACE_PROBE;
    const Outcome run = RunProgram({"tables"}, options);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "version 0: -1 The host's table is of version 0; this library knows 1 to 1\n"
                       "version 1: 0 \n"
                       "version 2: -1 The host's table is of version 2; this library knows 1 to 1\n"
                       "lacking: -1 The host's table lacks one of its functions\n");
}

class Installed : public testing::Test {
protected:
    void SetUp() override
    {
        const Outcome install = Tool("cmake", {"--install", VELL_BUILD_DIR, "--prefix", prefix.path()});
        ASSERT_EQ(install.exitCode, 0) << install.err.toStdString();
    }
    QTemporaryDir prefix, build;
};

// The guide's example hosts, built against the installed copy: a C++ host and
// a host in C alone (with CMake, and with gcc and pkg-config), each showing
// the main window in its session's language, then reading the refusals of
// ShowRule, SetRule, the import and the issuer as data: no box waits on
// the offscreen platform, where nobody could close it.
TEST_F(Installed, HostsInCppAndInCAloneBuildAgainstItAndShowTheWindowInTheirLanguage)
{
    const Outcome configure = Tool("cmake", {"-S", VELL_SOURCE_DIR "/tests/outsidehost", "-B", build.path(), "-G", "Ninja",
                                             "-DCMAKE_PREFIX_PATH=" + prefix.path()});
    ASSERT_EQ(configure.exitCode, 0) << configure.out.toStdString() << configure.err.toStdString();
    const Outcome compile = Tool("cmake", {"--build", build.path()});
    ASSERT_EQ(compile.exitCode, 0) << compile.out.toStdString();
    RunOptions gcc;
    gcc.program = "sh";
    gcc.environment.insert("PKG_CONFIG_PATH", prefix.filePath("lib/pkgconfig"));
    const Outcome pkgConfigBuild = RunProgram(
        {"-c", "gcc -Wall -Werror -o " + build.filePath("c-host-by-pkg-config") + " " VELL_SOURCE_DIR
               "/tests/outsidehost/outside_host.c $(pkg-config --cflags --libs vellbatchrule) -Wl,-rpath," + prefix.filePath("lib")},
        gcc);
    ASSERT_EQ(pkgConfigBuild.exitCode, 0) << pkgConfigBuild.err.toStdString();
    const QString db = build.filePath("demo.sqlite");
    ASSERT_EQ(Tool(VELL_BATCHRULE_PATH, {"demo-db", "--out", db}).exitCode, 0);

    struct Case {
        const char* host;
        QStringList args;
        const char* title;
        QStringList refusals;
    };
    const QStringList cppEnglish{"ShowRule refused (1000): Material 999999 was not found",
                                 "SetRule refused (1000): The serial number can be set only once. Please set it again.",
                                 "ImportRules refused (1000): Cannot open the rule file /nonexistent/rules.csv: ",
                                 "Open refused (1000): Material 999999 was not found",
                                 "Issue refused (1000): From 1 to 100000 batch numbers can be issued at a time, not 0"};
    const QStringList cEnglish{"vbr_show_rule refused (1000): Material 999999 was not found",
                               "vbr_set_rule refused (1000): The serial number can be set only once. Please set it again.",
                               "vbr_import_rules refused (1000): Cannot open the rule file /nonexistent/rules.csv: ",
                               "vbr_issuer_open refused (1000): Material 999999 was not found",
                               "vbr_issue refused (1000): From 1 to 100000 batch numbers can be issued at a time, not 0"};
    const Case cases[] = {
        {"outside-host", {db}, "Batch Number Management", cppEnglish},
        {"outside-host", {db, "UserID=16394;LANGUAGE=chs"}, "批号管理",
         {"ShowRule refused (1000): 找不到物料999999", "SetRule refused (1000): 流水号只能设置一次，请重新设置",
          "Issue refused (1000): 一次可发放1到100000个批号，不能是0个"}},
        {"outside-host-c", {db}, "Batch Number Management", cEnglish},
        {"outside-host-c", {"--own"}, "Batch Number Management", {}},
        {"c-host-by-pkg-config", {db}, "Batch Number Management", cEnglish},
    };
    for (const Case& c : cases) {
        RunOptions options;
        options.program = build.filePath(c.host);
        options.timeoutMs = 60000;
        options.environment.insert("LD_PRELOAD", PreloadOf(build.filePath("libwindow-closer.so")));
        const Outcome run = RunProgram(c.args, options);
        const std::string what = std::string(c.host) + " " + c.args.join(' ').toStdString() + ": " + run.out.toStdString();
        EXPECT_EQ(run.exitCode, 0) << what << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(QString("closing frmBatRuleMain titled '%1'").arg(c.title))) << what;
        EXPECT_TRUE(run.out.contains("shown and released")) << what;
        if (c.host == QStringLiteral("outside-host")) {
            EXPECT_TRUE(run.out.contains("rule of 01.01.001(冷轧钢板 1.0mm): [")) << what;
        }
        EXPECT_FALSE(run.out.contains("message")) << what;
        for (const QString& refusal : c.refusals)
            EXPECT_TRUE(run.out.contains(refusal)) << what << "\nlacks " << refusal.toStdString();
    }
}

// As on Debian, where the loader's cache names /lib/<triplet> for /usr/lib/<triplet>.
TEST_F(Installed, FindsItsTranslationsAndHelpWhenLoadedThroughALinkedFolder)
{
    const QString linked = build.filePath("linked-lib");
    ASSERT_TRUE(QFile::link(prefix.filePath("lib"), linked));
    RunOptions options;
    options.program = prefix.filePath("bin/vell-batchrule");
    options.environment.insert("LD_LIBRARY_PATH", linked);
    const Outcome version = RunProgram({"--version"}, options);
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_TRUE(version.out.contains("translations and help: " + prefix.filePath("share/vellbatchrule") + "\n"))
        << version.out.toStdString();
}

TEST_F(Installed, PkgConfigNamesTheLibraryAndItsHeaders)
{
    QFile pc(prefix.filePath("lib/pkgconfig/vellbatchrule.pc"));
    ASSERT_TRUE(pc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(pc.readAll());
    EXPECT_TRUE(text.contains("Libs: -L${libdir} -lvellbatchrule"));
    EXPECT_TRUE(text.contains("Version: " VELL_VERSION));
    for (const char* header : {"BatRuleFace.h", "HostErrors.h", "Result.h", "VellBatchRuleExport.h", "Version.h"})
        EXPECT_TRUE(QFile::exists(prefix.filePath("include/vellbatchrule/") + header)) << header;
    EXPECT_FALSE(QFile::exists(prefix.filePath("include/vellbatchrule/MParse.h"))) << "internal headers stay inside";
    EXPECT_TRUE(QFile::exists(prefix.filePath("share/bash-completion/completions/vell-batchrule")));
    EXPECT_TRUE(QFile::exists(prefix.filePath("share/man/man1/vell-batchrule.1")));
}

}
