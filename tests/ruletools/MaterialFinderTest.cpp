#include "MaterialFinder.h"
#include "RuleFixture.h"

#include <QTest>

namespace {

TEST(MaterialFinderText, WidthAndBlanksAreFoldedAsTheDatabaseComparesThem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"０３．０２", "03.02"}, {"Ｅ－５１", "E-51"}, {"　饮料 ", "饮料"}, {"５００ｍｌ", "500ml"}, {"　", ""}, {"矿泉\t", "矿泉\t"},
    };
    for (const auto& [typed, folded] : cases)
        EXPECT_EQ(MaterialFinder::Folded(typed), folded) << typed;
}

// The storekeeper sees the groups 01.01 and 03.02 only.
class StorekeepersFind : public RuleFixture {
protected:
    StorekeepersFind() : RuleFixture("UserID=16395;LANGUAGE=chs;SUBID=IC") {}

    static QString Listed(const MaterialFinder::Answer& answer)
    {
        QStringList listed;
        for (const auto& match : answer.matches)
            listed << QStringLiteral("%1%2@%3").arg(match.group ? "G" : "M", match.number).arg(match.groupId);
        return listed.join(' ');
    }
};

TEST_F(StorekeepersFind, FindsWithinTheGrantsGroupsFirst)
{
    const std::pair<const char*, const char*> cases[] = {
        {"０１．０", "G01.01@2 M01.01.001@2 M01.01.002@2"},
        {"饮料", "G03.02@7 M03.02.002@7 M03.02.003@7"},
        {"ＭＬ", "M03.02.001@7 M03.02.002@7 M03.02.003@7"},
        {"智能", ""},
        {"  ", ""},
    };
    for (const auto& [typed, listed] : cases) {
        const MaterialFinder::Answer answer = MaterialFinder::FindNow(typed);
        EXPECT_EQ(Listed(answer), listed) << typed;
        EXPECT_EQ(answer.failure, "") << typed;
        EXPECT_FALSE(answer.more);
    }
    EXPECT_TRUE(MaterialFinder::FindNow("0", 2).more) << "a kind that reached its most";
}

TEST_F(StorekeepersFind, SearchesApartAndAnswersTheLatestText)
{
    MaterialFinder finder;
    QList<MaterialFinder::Answer> found;
    QObject::connect(&finder, &MaterialFinder::Found, [&](const MaterialFinder::Answer& answer) { found << answer; });
    finder.Find("智能");
    finder.Find("饮料");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !found.isEmpty() && found.last().typed == "饮料"; }));
    EXPECT_EQ(Listed(found.last()), "G03.02@7 M03.02.002@7 M03.02.003@7");
    EXPECT_LE(found.size(), 2);
    EXPECT_EQ(connection->batches, QStringList()) << "on a connection of its own";
}

}
