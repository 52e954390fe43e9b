#include "Fakes.h"
#include "HelpViewer.h"
#include "MMTS.h"
#include "TestSupport.h"
#include "VirtualKeys.h"

namespace {

class RecordingViewer : public HelpViewer {
public:
    static inline QStringList calls;
    static inline int created = 0;
    RecordingViewer() { ++created; }

    void ShowHELP(qint32& n1, qint16 reserved, QString& topic, qint32& n2, QString& subsystem, qint32& n3) override
    {
        calls << QStringLiteral("%1,%2,%3,%4,%5,%6").arg(n1).arg(reserved).arg(topic).arg(n2).arg(subsystem).arg(n3);
    }
};

class HelpKey : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModuleState();
        RecordingViewer::calls.clear();
        RecordingViewer::created = 0;
        ComponentRegistry::Instance().Register(ComponentNames::HelpViewer, [] { return std::make_shared<RecordingViewer>(); });
    }
};

TEST_F(HelpKey, F1ShowsTheTopicWithItsArgumentsInOrder)
{
    EXPECT_TRUE(MMTS::ShowHelpForKey(VirtualKeys::F1, 1, MMTS::HelpTopic, 2, "IC", 3));
    EXPECT_EQ(RecordingViewer::calls, QStringList{"1,0,ICBatchCodeRule,2,IC,3"});
}

TEST_F(HelpKey, OtherKeysDoNothing)
{
    for (int key : {0, 13, 27, 113, 0x70 + 0x100})
        EXPECT_FALSE(MMTS::ShowHelpForKey(key, 0, MMTS::HelpTopic, 0, "IC", 0));
    EXPECT_EQ(RecordingViewer::created, 0);
}

TEST_F(HelpKey, OneViewerServesEveryRequestOfTheThread)
{
    MMTS::ShowHelpForKey(VirtualKeys::F1, 0, MMTS::HelpTopic, 0, "IC", 0);
    MMTS::ShowHelpForKey(VirtualKeys::F1, 0, MMTS::HelpTopic, 0, "IC", 0);
    EXPECT_EQ(RecordingViewer::created, 1);
    EXPECT_EQ(RecordingViewer::calls.size(), 2);
}

TEST_F(HelpKey, MissingViewerReachesTheCaller)
{
    ComponentRegistry::Instance().Unregister(ComponentNames::HelpViewer);
    EXPECT_THROW(MMTS::ShowHelpForKey(VirtualKeys::F1, 0, MMTS::HelpTopic, 0, "IC", 0), HostError);
}

}
