// vell-batchrule as the desktop's menu and file managers start it: the desktop
// entry's command line, in a new user's home, with the window closed by hand.
#include "DemoDatabase.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

class Launcher : public testing::Test {
protected:
    // The desktop entry's Exec line split into words, %f filled in as a launcher fills it.
    static QStringList Exec(const QString& file)
    {
        QFile entry(VELL_SOURCE_DIR "/hostapp/vell-batchrule.desktop");
        EXPECT_TRUE(entry.open(QIODevice::ReadOnly));
        const QString exec = QString::fromUtf8(entry.readAll()).section("\nExec=", 1).section('\n', 0, 0);
        QStringList words = exec.split(' ', Qt::SkipEmptyParts);
        EXPECT_EQ(words.takeFirst(), "vell-batchrule");
        for (QString& word : words)
            word.replace("%f", file);
        words.removeAll(QString());
        return words;
    }

    Outcome Start(const QStringList& args, const char* language = "C.UTF-8")
    {
        RunOptions options;
        options.environment.insert("LANG", language);
        options.environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        options.environment.insert("XDG_DATA_HOME", home.filePath("data"));
        options.environment.insert("LD_PRELOAD", PreloadOf(VELL_WINDOW_CLOSER));
        return RunProgram(args, options);
    }

    QString LastOpened() const
    {
        return QSettings(home.filePath("config/vell-batchrule/vell-batchrule.conf"), QSettings::IniFormat)
            .value("lastDatabase")
            .toString();
    }
    QString Demo() const { return home.filePath("data/vell-batchrule/demo.sqlite"); }

    QTemporaryDir home;
};

TEST_F(Launcher, FromTheMenuTheFirstStartWritesTheUsersDemoAndSaysSoInItsLanguage)
{
    struct Case {
        const char* language;
        const char* title;
        const char* status;
    };
    const Case cases[] = {
        {"zh_CN.UTF-8", "批号管理", "已建立演示数据库"},
        {"zh_TW.UTF-8", "批號管理", "已建立示範資料庫"},
        {"en_US.UTF-8", "Batch Number Management", "Demo database created"},
    };
    for (const Case& c : cases) {
        QFile::remove(Demo());
        const Outcome first = Start(Exec(""), c.language);
        EXPECT_EQ(first.exitCode, 0) << c.language << ": " << first.err.toStdString();
        EXPECT_TRUE(first.out.contains(QString("closing frmBatRuleMain titled '%1'\nstatus bar says '%2'\n")
                                           .arg(c.title, c.status)))
            << c.language << ": " << first.out.toStdString();
        EXPECT_EQ(LastOpened(), Demo());
    }
    const Outcome again = Start({});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains("status bar says ''")) << "written once: " << again.out.toStdString();
}

TEST_F(Launcher, OpensTheFileHandedToItAndNextTimeTheLastOneOpenedWhileItIsThere)
{
    const QString given = home.filePath("given.sqlite");
    DemoDatabase::WriteHandMade(given);
    struct Case {
        QStringList args;
        QString opened;
    };
    const Case cases[] = {
        {Exec(given), given},
        {{}, given},
        {{"--db", "DRIVER=SQLite3;Database=" + given + ";PWD=secret"}, given},   // a password is never kept
        {{}, given},
    };
    for (const Case& c : cases) {
        const Outcome run = Start(c.args);
        EXPECT_EQ(run.exitCode, 0) << c.args.join(' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith("closing frmBatRuleMain")) << run.out.toStdString();
        EXPECT_EQ(LastOpened(), c.opened) << c.args.join(' ').toStdString();
    }
    QFile::remove(given);
    EXPECT_EQ(Start({}).exitCode, 0);
    EXPECT_EQ(LastOpened(), Demo()) << "a database gone is replaced by the demo";
}

TEST_F(Launcher, AFileAndADatabaseOptionTogetherAreAUsageError)
{
    const Outcome run = Start({"--db", home.filePath("a.sqlite"), home.filePath("b.sqlite")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Name the database once: --db FILE or FILE.")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(home.filePath("a.sqlite")));
}

}
