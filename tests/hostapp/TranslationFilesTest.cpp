// Every text the component shows has a finished translation in each language.
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

const QString kSourceDir = QStringLiteral(VELL_SOURCE_DIR);

// Each source's translation: its one form, or its forms for a count.
struct TsFile {
    QHash<QString, QStringList> translations;
    QStringList problems;
};

QString Catalogue(const QString& language)
{
    return kSourceDir + "/translations/vellbatchrule_" + language + ".ts";
}

// A translation's text, or the forms of a text with a count (%n).
QStringList ReadForms(QXmlStreamReader& xml, const QString& source)
{
    if (!source.contains("%n"))
        return {xml.readElementText()};
    QStringList forms;
    while (xml.readNextStartElement())
        forms << xml.readElementText();
    return forms;
}

TsFile ReadTs(const QString& path)
{
    TsFile ts;
    QFile file(path);
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
            const QStringList forms = ReadForms(xml, source);
            // The string loader asks by the text alone, under the resource file's name.
            if (context != "VEZAROZIVADA")
                ts.problems << "context " + context + ": " + source;
            if (!type.isEmpty() || forms.isEmpty() || forms.contains(QString()))
                ts.problems << "unfinished: " + source;
            ts.translations.insert(source, forms);
        }
    }
    if (xml.hasError())
        ts.problems << xml.errorString();
    return ts;
}

TEST(TranslationFiles, AreCompleteAndHoldTheSameTexts)
{
    const TsFile cht = ReadTs(Catalogue("cht"));
    const TsFile en = ReadTs(Catalogue("en"));
    EXPECT_TRUE(cht.problems.isEmpty()) << cht.problems.join("\n").toStdString();
    EXPECT_TRUE(en.problems.isEmpty()) << en.problems.join("\n").toStdString();
    EXPECT_GT(cht.translations.size(), 150);
    QStringList chtSources = cht.translations.keys(), enSources = en.translations.keys();
    chtSources.sort();
    enSources.sort();
    EXPECT_EQ(chtSources, enSources);
    // A count's forms: English has one for 1 and one for the rest, Chinese one for all.
    for (auto it = en.translations.cbegin(); it != en.translations.cend(); ++it) {
        EXPECT_EQ(it.value().size(), it.key().contains("%n") ? 2 : 1) << it.key().toStdString();
        EXPECT_EQ(cht.translations.value(it.key()).size(), 1) << it.key().toStdString();
    }
}

// lupdate, run as the build runs it on copies of the catalogues, finds no text
// they miss and drops none they hold.
TEST(TranslationFiles, HoldEveryTextTheCodeShowsAndNoOther)
{
    QTemporaryDir dir;
    QStringList arguments = QStringLiteral(VELL_LUPDATE_OPTIONS).split('|');
    arguments << "@" VELL_SHOWN_TEXT_LIST << "-ts";
    for (const char* language : {"cht", "en"}) {
        const QString copy = dir.filePath(QString("%1.ts").arg(language));
        ASSERT_TRUE(QFile::copy(Catalogue(language), copy));
        arguments << copy;
    }
    QProcess lupdate;
    lupdate.start(VELL_LUPDATE, arguments);
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    const QString said = QString::fromUtf8(lupdate.readAllStandardOutput() + lupdate.readAllStandardError());
    ASSERT_EQ(lupdate.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(said.contains(QRegularExpression("Found \\d{3} source text")));
    for (const char* language : {"cht", "en"}) {
        const TsFile found = ReadTs(dir.filePath(QString("%1.ts").arg(language)));
        EXPECT_TRUE(found.problems.isEmpty()) << language << ":\n" << found.problems.join("\n").toStdString();
        EXPECT_EQ(found.translations.size(), ReadTs(Catalogue(language)).translations.size())
            << language << ": the catalogue holds texts the code no longer shows\n" << said.toStdString();
    }
}

TEST(TranslationFiles, KeepPlaceholdersOfTheirSources)
{
    static const QRegularExpression placeholder(R"(%\d+|%n|&\[[^\]]+\])");
    for (const char* language : {"cht", "en"}) {
        const TsFile ts = ReadTs(Catalogue(language));
        for (auto it = ts.translations.cbegin(); it != ts.translations.cend(); ++it) {
            QStringList wanted;
            for (const auto& m : placeholder.globalMatch(it.key()))
                wanted << m.captured();
            wanted.sort();
            for (const QString& form : it.value()) {
                QStringList found;
                for (const auto& m : placeholder.globalMatch(form))
                    found << m.captured();
                found.sort();
                EXPECT_EQ(found, wanted) << language << ": " << it.key().toStdString();
            }
        }
    }
}

}
