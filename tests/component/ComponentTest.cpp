// The component as hosts get it: the shared library's exported names, an
// outside host built against an installed copy, and the Debian packages.
#define VELL_BATCHRULE_PATH VELL_BUILD_DIR "/hostapp/vell-batchrule"
#include "../hostapp/ProgramRun.h"
#include "TestSupport.h"

#include <QDir>
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
        "^(vellbatchrule::(BatRuleFace|HostError|ComponentRegistry|ValueBag|ValueList|RuleAdmin)::"
        "|(typeinfo|typeinfo name|vtable) for vellbatchrule::(AppConnection|DataAccess|GlossaLoader|HelpViewer|HostComponent"
        "|HostError|MessageBox|ResourceLoader|ShareProps|TextFormatter|Recordset)$"
        "|vellbatchrule::(ComponentResourceDir|UseStockComponents|SessionLanguage|IsOdbcConnectionString|WindowSystemProblem)$"
        "|vbr_(open|face_create|face_show|face_release|last_error_text|last_error_number|fail|answer_text"
        "|add_(column|text|integer|real|null)|register_(connection|message_box|data_access))$)");
    const QStringList names = ExportedNames();
    EXPECT_GT(names.size(), 30);
    QStringList unexpected;
    for (const QString& name : names)
        if (!allowed.match(name).hasMatch())
            unexpected << name;
    EXPECT_TRUE(unexpected.isEmpty()) << unexpected.join('\n').toStdString();
    for (const char* needed : {"vellbatchrule::BatRuleFace::Show", "vellbatchrule::ComponentRegistry::Instance", "vbr_face_create",
                               "vellbatchrule::HostError::HostError", "vellbatchrule::RuleAdmin::LintRules"})
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
// the main window in its session's language.
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
    };
    const Case cases[] = {
        {"outside-host", {db}, "Batch Number Management"},
        {"outside-host", {db, "UserID=16394;LANGUAGE=chs"}, "批号管理"},
        {"outside-host-c", {db}, "Batch Number Management"},
        {"outside-host-c", {"--own"}, "Batch Number Management"},
        {"c-host-by-pkg-config", {db}, "Batch Number Management"},
    };
    for (const Case& c : cases) {
        RunOptions options;
        options.program = build.filePath(c.host);
        options.timeoutMs = 60000;
        options.environment.insert("LD_PRELOAD", build.filePath("libwindow-closer.so"));
        const Outcome run = RunProgram(c.args, options);
        const std::string what = std::string(c.host) + " " + c.args.join(' ').toStdString() + ": " + run.out.toStdString();
        EXPECT_EQ(run.exitCode, 0) << what << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(QString("closing frmBatRuleMain titled '%1'").arg(c.title))) << what;
        EXPECT_TRUE(run.out.contains("shown and released")) << what;
        if (c.host == QStringLiteral("outside-host")) {
            EXPECT_TRUE(run.out.contains("rule of 01.01.001(冷轧钢板 1.0mm): [")) << what;
        }
        EXPECT_FALSE(run.out.contains("message")) << what;
    }
}

TEST_F(Installed, PkgConfigNamesTheLibraryAndItsHeaders)
{
    QFile pc(prefix.filePath("lib/pkgconfig/vellbatchrule.pc"));
    ASSERT_TRUE(pc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(pc.readAll());
    EXPECT_TRUE(text.contains("Libs: -L${libdir} -lvellbatchrule"));
    EXPECT_TRUE(text.contains("Version: " VELL_VERSION));
    EXPECT_TRUE(QFile::exists(prefix.filePath("include/vellbatchrule/BatRuleFace.h")));
    EXPECT_FALSE(QFile::exists(prefix.filePath("include/vellbatchrule/MParse.h"))) << "internal headers stay inside";
    EXPECT_TRUE(QFile::exists(prefix.filePath("share/bash-completion/completions/vell-batchrule")));
}

class Packages : public testing::Test {
protected:
    void SetUp() override
    {
        const Outcome pack = Tool("cpack", {"-G", "DEB", "-B", out.path(), "--config", VELL_BUILD_DIR "/CPackConfig.cmake"});
        ASSERT_EQ(pack.exitCode, 0) << pack.out.toStdString() << pack.err.toStdString();
    }
    QString Deb(const char* name) const { return out.filePath(QString(name) + "_" VELL_VERSION "_amd64.deb"); }
    QStringList Contents(const char* name)
    {
        const Outcome list = Tool("dpkg-deb", {"-c", Deb(name)});
        EXPECT_EQ(list.exitCode, 0) << list.err.toStdString();
        QStringList paths;
        for (const QString& line : list.out.split('\n', Qt::SkipEmptyParts))
            paths << line.section(' ', -1).remove(0, 1);
        return paths;
    }
    QTemporaryDir out, root;
};

TEST_F(Packages, HoldWhatAHostAndADeveloperNeed)
{
    const QStringList runtime = Contents("vell-batchrule");
    for (const char* needed : {"/usr/bin/vell-batchrule", "/usr/share/vellbatchrule/translations/vellbatchrule_en.qm",
                                  "/usr/share/vellbatchrule/help/chs/ICBatchCodeRule.html",
                                  "/usr/share/applications/vell-batchrule.desktop",
                                  "/usr/share/icons/hicolor/scalable/apps/vell-batchrule.svg"})
        EXPECT_TRUE(runtime.contains(needed)) << needed << "\n" << runtime.join('\n').toStdString();
    EXPECT_TRUE(runtime.filter(QRegularExpression("/libvellbatchrule\\.so\\.1\\.0\\.0$")).size() == 1);
    const QStringList dev = Contents("vell-batchrule-dev");
    EXPECT_EQ(dev.filter(QRegularExpression("/include/vellbatchrule/BatRuleFace\\.h$")).size(), 1);
    EXPECT_EQ(dev.filter(QRegularExpression("/cmake/VellBatchRule/VellBatchRuleConfig\\.cmake$")).size(), 1);
    EXPECT_EQ(dev.filter(QRegularExpression("/pkgconfig/vellbatchrule\\.pc$")).size(), 1);
    EXPECT_EQ(dev.filter(QRegularExpression("/doc/VellBatchRule/(hosting\\.md|examples/outside_host\\.c)$")).size(), 2);
    const Outcome depends = Tool("dpkg-deb", {"-f", Deb("vell-batchrule"), "Depends"});
    EXPECT_TRUE(depends.out.contains("libqt6widgets6")) << depends.out.toStdString();
}

TEST_F(Packages, ProgramRunsFromWhereverItIsUnpackedWithItsTranslationsAndHelp)
{
    ASSERT_EQ(Tool("dpkg", {"-x", Deb("vell-batchrule"), root.path()}).exitCode, 0);
    const QString program = root.filePath("usr/bin/vell-batchrule");
    const Outcome version = Tool(program, {"--version"}, 60000);
    EXPECT_EQ(version.exitCode, 0);
    const QString resources = QDir::cleanPath(root.filePath("usr/share/vellbatchrule"));
    EXPECT_TRUE(version.out.contains("translations and help: " + resources)) << version.out.toStdString();
    const QString db = out.filePath("demo.sqlite");
    ASSERT_EQ(Tool(program, {"demo-db", "--out", db}, 60000).exitCode, 0);
    const Outcome english = Tool(program, {"rule", "show", "--db", db, "--group", "7", "--props", "UserID=16394;LANGUAGE=en"}, 60000);
    EXPECT_EQ(english.exitCode, 0) << english.err.toStdString();
    EXPECT_TRUE(english.out.contains("[Material]+[Date]+[Serial No.]")) << english.out.toStdString();
}

}
