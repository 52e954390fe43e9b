// The batch numbers the help pages show are the ones the rule composes.
#include "BatchNumberComposer.h"
#include "TestSupport.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// The examples section of a help page.
QString Examples(const QString& language)
{
    QFile file(QStringLiteral(VELL_SOURCE_DIR "/help/%1/ICBatchCodeRule.html").arg(language));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString page = QString::fromUtf8(file.readAll());
    const qsizetype start = page.indexOf("<a name=\"examples\">");
    return page.mid(start, page.indexOf("<a name=\"group\">") - start);
}

// A table's rows as elements: the property from the row's mark, the rest from its cells as the reader sees them.
QList<BatRuleStruct> RuleOf(const QString& table)
{
    static const QRegularExpression row(R"re(<tr data-property="(\d+)"( data-short="1")?>(.*?)</tr>)re");
    static const QRegularExpression cell("<td>(.*?)</td>");
    QList<BatRuleStruct> rule;
    for (const auto& r : row.globalMatch(table)) {
        QStringList cells;
        for (const auto& c : cell.globalMatch(r.captured(3)))
            cells << c.captured(1);
        BatRuleStruct e;
        e.FID = cells.value(0).toInt();
        e.FPropertyID = r.captured(1).toInt();
        e.FUseShortNumber = r.captured(2).isEmpty() ? 0 : 1;
        (e.FPropertyID == 23 || e.FPropertyID == 25 ? e.FFormatDate : e.FSelDefine) = cells.value(2);
        e.FWidth = cells.value(3).toInt();
        e.FCharacter = cells.value(4);
        e.FSubCharacter = cells.value(5);
        rule << e;
    }
    return rule;
}

QString Attribute(const QString& attributes, const QString& name)
{
    const QRegularExpression attribute(name + R"re(="([^"]*)")re");
    return attribute.match(attributes).captured(1);
}

class HelpExamples : public testing::TestWithParam<const char*> {};

TEST_P(HelpExamples, AgreeWithTheComposer)
{
    const QString section = Examples(GetParam());
    static const QRegularExpression batch(R"re(<b class="batch"([^>]*)>([^<]*)</b>)re");
    const QStringList parts = section.split("<table");
    ASSERT_EQ(parts.size(), 5) << "four examples, each with its table";
    int numbers = 0;
    for (const QString& part : parts.mid(1)) {
        QList<BatRuleStruct> rule = RuleOf(part.left(part.indexOf("</table>")));
        ASSERT_FALSE(rule.isEmpty());
        for (const auto& shown : batch.globalMatch(part)) {
            const QString attributes = shown.captured(1);
            BatchDocument document{QDate(2026, 12, 7), 1, {}};
            if (const QString line = Attribute(attributes, "data-line"); !line.isEmpty())
                document.line = line.toInt();
            for (const QString& value : Attribute(attributes, "data-values").split(';', Qt::SkipEmptyParts))
                document.values[value.section('=', 0, 0).toInt()] = value.section('=', 1);
            QList<BatRuleStruct> used = rule;
            if (!Attribute(attributes, "data-no-substitute").isEmpty())
                for (BatRuleStruct& e : used)
                    e.FSubCharacter.clear();
            EXPECT_EQ(BatchNumberComposer::Compose(used, document), shown.captured(2)) << GetParam();
            ++numbers;
        }
    }
    EXPECT_EQ(numbers, 7);
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpExamples, testing::Values("chs", "cht", "en"));

}
