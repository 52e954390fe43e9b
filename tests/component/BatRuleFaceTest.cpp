#include "BatRuleFace.h"
#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "ModuleState.h"
#include "RecordingConnection.h"
#include "TestSupport.h"

#include <thread>

namespace {

class NullConnection : public FakeConnection {
public:
    std::unique_ptr<Recordset> Execute(const QString&) override { return nullptr; }
};

class EntryClass : public testing::Test {
protected:
    void SetUp() override
    {
        ComponentRegistry::Instance().Register(ComponentNames::AppConnection,
                                               [] { return std::make_shared<NullConnection>(); });
    }
    void TearDown() override { ComponentRegistry::Instance().Unregister(ComponentNames::AppConnection); }

    static AppConnection* Slot() { return CurrentModuleState().hostConnection.get(); }
};

TEST_F(EntryClass, CreationSetsTheThreadsConnection)
{
    BatRuleFace face;
    EXPECT_NE(Slot(), nullptr);
}

TEST_F(EntryClass, SecondObjectReplacesTheConnectionAndEitherReleaseEmptiesIt)
{
    auto first = std::make_unique<BatRuleFace>();
    AppConnection* firstConnection = Slot();
    auto second = std::make_unique<BatRuleFace>();
    EXPECT_NE(Slot(), firstConnection);
    first.reset();
    EXPECT_EQ(Slot(), nullptr);
    second.reset();
    EXPECT_EQ(Slot(), nullptr);
}

TEST_F(EntryClass, FailsWhenTheConnectionCannotBeCreated)
{
    ComponentRegistry::Instance().Unregister(ComponentNames::AppConnection);
    EXPECT_THROW(BatRuleFace(), HostError);
    EXPECT_EQ(Slot(), nullptr);
}

TEST_F(EntryClass, OtherThreadsKeepTheirOwnSlot)
{
    BatRuleFace face;
    bool otherHasNone = false;
    std::thread([&] { otherHasNone = Slot() == nullptr; }).join();
    EXPECT_TRUE(otherHasNone);
}

}
