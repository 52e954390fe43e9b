#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "MMTS.h"
#include "ModuleState.h"
#include "SharePropsStore.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <thread>

namespace {

class Session : public testing::Test {
protected:
    void SetUp() override
    {
        ComponentRegistry::Instance().Register(ComponentNames::ShareProps,
                                               [] { return std::make_shared<SharePropsStore>(); });
        CurrentModuleState().sessionProps.reset();
    }
    void TearDown() override { ComponentRegistry::Instance().Unregister(ComponentNames::ShareProps); }

    static void HostSets(const QString& props) { SharePropsStore::SetProperty("PropsString", props); }

    static QString Parsed(const QString& key) { return MMTS::GetSessionValue(key); }
    static int ParsedCount() { return CurrentModuleState().sessionProps->Count(); }
};

TEST_F(Session, PairsWithBlanksAndABracedValue)
{
    MMTS::ParsePropsString("A=1; B = {x;y} ;C=");
    EXPECT_EQ(ParsedCount(), 3);
    EXPECT_EQ(Parsed("A"), "1");
    EXPECT_EQ(Parsed("B"), "x;y");
    EXPECT_EQ(Parsed("C"), "");
}

TEST_F(Session, TextAfterAClosingBraceIsLost)
{
    MMTS::ParsePropsString("B={x}junk;C=1");
    EXPECT_EQ(Parsed("B"), "x");
    EXPECT_EQ(Parsed("C"), "1");
}

TEST_F(Session, UnclosedBraceRunsToTheEnd)
{
    MMTS::ParsePropsString("B={xyz");
    EXPECT_EQ(Parsed("B"), "xyz");
}

TEST_F(Session, PairWithoutEqualsMergesIntoTheNextKey)
{
    MMTS::ParsePropsString("A;B=1");
    EXPECT_EQ(ParsedCount(), 1);
    EXPECT_EQ(Parsed("A;B"), "1");
}

TEST_F(Session, EmptyFirstKeyGivesAnEmptyTable)
{
    for (const char* text : {"=5;A=1", " =5", ""}) {
        MMTS::ParsePropsString(text);
        EXPECT_EQ(ParsedCount(), 0) << text;
    }
}

TEST_F(Session, TabsAndLineBreaksAreNotBlanks)
{
    MMTS::ParsePropsString("\tA=1\r\n;B= 2 ");
    EXPECT_EQ(Parsed("\tA"), "1\r\n");
    EXPECT_EQ(Parsed("B"), "2");
}

TEST_F(Session, RepeatedKeyFailsAndKeepsWhatCameBefore)
{
    EXPECT_THROW(MMTS::ParsePropsString("x=0;a=1;A=2;z=3"), HostError);
    EXPECT_EQ(Parsed("x"), "0");
    EXPECT_EQ(Parsed("a"), "1");
    EXPECT_THROW(Parsed("z"), HostError);
}

TEST_F(Session, EachParseReplacesTheTable)
{
    MMTS::ParsePropsString("A=1");
    MMTS::ParsePropsString("B=2");
    EXPECT_THROW(Parsed("A"), HostError);
    EXPECT_EQ(Parsed("B"), "2");
}

TEST_F(Session, KeysAreFoundWithoutRegardToCase)
{
    MMTS::ParsePropsString("UserID=16394");
    EXPECT_EQ(Parsed("userid"), "16394");
    EXPECT_EQ(MMTS::GetSessionUserID(), 16394);
}

TEST_F(Session, MissingKeyOrNoSessionIsAnError)
{
    EXPECT_THROW(Parsed("UserID"), HostError);
    MMTS::ParsePropsString("A=1");
    EXPECT_THROW(MMTS::GetSessionUserID(), HostError);
}

TEST_F(Session, UserIdThatIsNoNumberIsAnError)
{
    MMTS::ParsePropsString("UserID=admin");
    EXPECT_THROW(MMTS::GetSessionUserID(), HostError);
}

TEST_F(Session, SplitFirstShortensTheRest)
{
    QString rest = "a=b=c";
    EXPECT_EQ(MMTS::SplitFirst(rest, "="), "a");
    EXPECT_EQ(rest, "b=c");
    rest = "abc";
    EXPECT_EQ(MMTS::SplitFirst(rest, "="), "abc");
    EXPECT_EQ(rest, "");
    EXPECT_EQ(MMTS::SplitFirst(rest, "="), "");
}

TEST_F(Session, PropsStringComesFromTheStoreOfThisProcess)
{
    HostSets("UserID=7;LANGUAGE=en");
    EXPECT_EQ(MMTS::GetPropsString(), "UserID=7;LANGUAGE=en");
    SharePropsStore::SetProperty(quint32(QCoreApplication::applicationPid()) + 1, "PropsString", "UserID=8");
    EXPECT_EQ(MMTS::GetPropsString(), "UserID=7;LANGUAGE=en");
}

TEST_F(Session, MissingStoreReachesTheCallerOfGetPropsString)
{
    ComponentRegistry::Instance().Unregister(ComponentNames::ShareProps);
    EXPECT_THROW(MMTS::GetPropsString(), HostError);
    EXPECT_EQ(MMTS::FindPropValue("UserID"), "");
}

class CountingProps : public ShareProps {
public:
    static inline QList<QPair<quint32, QString>> calls;
    QVariant GetProperty(quint32 processId, const QString& name) override
    {
        calls.append({processId, name});
        return "A=1";
    }
};

TEST_F(Session, StoreIsAskedTwiceWithProcessIdAndName)
{
    CountingProps::calls.clear();
    ComponentRegistry::Instance().Register(ComponentNames::ShareProps, [] { return std::make_shared<CountingProps>(); });
    EXPECT_EQ(MMTS::GetPropsString(), "A=1");
    const QPair<quint32, QString> expected{quint32(QCoreApplication::applicationPid()), "PropsString"};
    EXPECT_EQ(CountingProps::calls, (QList<QPair<quint32, QString>>{expected, expected}));
}

TEST_F(Session, FindPropValueSearchesTheRawText)
{
    HostSets("A=1;B={x;y}");
    EXPECT_EQ(MMTS::FindPropValue("B"), "{x");
    EXPECT_EQ(MMTS::FindPropValue("a"), "1");
    HostSets("UserID=16;ID=3");
    EXPECT_EQ(MMTS::FindPropValue("ID"), "16");
    HostSets("A=1");
    EXPECT_EQ(MMTS::FindPropValue("A"), "1");
    EXPECT_EQ(MMTS::FindPropValue("C"), "");
}

TEST_F(Session, FindPropValueKeepsBlanks)
{
    HostSets("LANGUAGE= en ;SUBID=IC");
    EXPECT_EQ(MMTS::FindPropValue("LANGUAGE"), " en ");
    EXPECT_EQ(MMTS::FindPropValue("SUBID"), "IC");
}

TEST_F(Session, EachThreadHasItsOwnSessionTable)
{
    MMTS::ParsePropsString("UserID=1");
    bool otherHasNone = false;
    std::thread([&] { otherHasNone = !CurrentModuleState().sessionProps.has_value(); }).join();
    EXPECT_TRUE(otherHasNone);
    EXPECT_EQ(Parsed("UserID"), "1");
}

}
