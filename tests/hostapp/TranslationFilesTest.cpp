// Every text the component shows has a finished translation in each language.
#include "TestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

namespace {

const QString kSourceDir = QStringLiteral(VELL_SOURCE_DIR);

struct TsFile {
    QHash<QString, QString> translations;
    QStringList problems;
};

TsFile ReadTs(const QString& language)
{
    TsFile ts;
    QFile file(kSourceDir + "/translations/vellbatchrule_" + language + ".ts");
    if (!file.open(QIODevice::ReadOnly)) {
        ts.problems << "cannot open " + file.fileName();
        return ts;
    }
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const QString type = xml.attributes().value("type").toString();
            const QString text = xml.readElementText();
            if (context != "VEZAROZIVADA")
                ts.problems << "context " + context;
            if (!type.isEmpty() || text.isEmpty())
                ts.problems << "unfinished: " + source;
            ts.translations.insert(source, text);
        }
    }
    if (xml.hasError())
        ts.problems << xml.errorString();
    return ts;
}

// Texts written in Chinese in the component's code that are not shown to users.
bool IsNoDisplayText(const QString& literal)
{
    static const QSet<QString> fontNames{"宋体", "新細明體"};
    static const QRegularExpression placeholder(R"(^&\[[^\]]+\]$)");   // filled in by the printer
    return literal.contains('\'') || fontNames.contains(literal) || placeholder.match(literal).hasMatch();
}

// The Chinese literals of the code, as the string loader will be asked for them.
QSet<QString> DisplayTextsInCode()
{
    static const QRegularExpression literal(R"re("((?:[^"\\\n]|\\.)*)")re");
    static const QRegularExpression chinese(R"([\x{4e00}-\x{9fff}])");
    static const QSet<QString> notComponent{"DemoDatabase.cpp", "HostComponents.cpp"};
    QSet<QString> texts;
    for (const char* folder : {"host", "session", "rules", "editor", "mainwindow", "printing", "controls", "hostapp"}) {
        QDirIterator files(kSourceDir + "/" + folder, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (notComponent.contains(files.fileName()) || !file.open(QIODevice::ReadOnly))
                continue;
            const QString code = QString::fromUtf8(file.readAll());
            for (const auto& match : literal.globalMatch(code)) {
                const QString text = match.captured(1);
                if (!text.contains(chinese) || IsNoDisplayText(text))
                    continue;
                if (!text.contains("^|^")) {
                    texts.insert(text.trimmed());
                    continue;
                }
                for (const QString& segment : text.split("^|^"))
                    if (segment.startsWith("~$~") && segment.size() > 3)
                        texts.insert(segment.mid(3).trimmed());
            }
        }
    }
    return texts;
}

TEST(TranslationFiles, AreCompleteAndHoldTheSameTexts)
{
    const TsFile cht = ReadTs("cht");
    const TsFile en = ReadTs("en");
    EXPECT_TRUE(cht.problems.isEmpty()) << cht.problems.join("\n").toStdString();
    EXPECT_TRUE(en.problems.isEmpty()) << en.problems.join("\n").toStdString();
    EXPECT_GT(cht.translations.size(), 50);
    QStringList chtSources = cht.translations.keys(), enSources = en.translations.keys();
    chtSources.sort();
    enSources.sort();
    EXPECT_EQ(chtSources, enSources);
}

TEST(TranslationFiles, TranslateEveryTextTheCodeShows)
{
    const TsFile cht = ReadTs("cht");
    const TsFile en = ReadTs("en");
    QStringList missing;
    for (const QString& text : DisplayTextsInCode())
        if (!cht.translations.contains(text) || !en.translations.contains(text))
            missing << text;
    missing.sort();
    EXPECT_TRUE(missing.isEmpty()) << missing.join("\n").toStdString();
}

TEST(TranslationFiles, KeepPlaceholdersOfTheirSources)
{
    static const QRegularExpression placeholder(R"(%\d+|&\[[^\]]+\])");
    for (const char* language : {"cht", "en"}) {
        const TsFile ts = ReadTs(language);
        for (auto it = ts.translations.cbegin(); it != ts.translations.cend(); ++it) {
            QStringList wanted, found;
            for (const auto& m : placeholder.globalMatch(it.key()))
                wanted << m.captured();
            for (const auto& m : placeholder.globalMatch(it.value()))
                found << m.captured();
            wanted.sort();
            found.sort();
            EXPECT_EQ(found, wanted) << language << ": " << it.key().toStdString();
        }
    }
}

}
