#include "ComponentRegistry.h"
#include "HostErrors.h"
#include "ShareProps.h"
#include "TestSupport.h"

namespace {

class FixedProps : public ShareProps {
public:
    QVariant GetProperty(quint32, const QString& name) override { return name; }
};

class NotAStore : public HostComponent {};

class Registry : public testing::Test {
protected:
    ComponentRegistry registry;
};

TEST_F(Registry, CreatesWhatWasRegisteredUnderTheName)
{
    registry.Register("Test.Props", [] { return std::make_shared<FixedProps>(); });
    EXPECT_EQ(registry.Create<ShareProps>("Test.Props")->GetProperty(1, "x"), QVariant("x"));
}

TEST_F(Registry, EachCreationMakesANewObject)
{
    registry.Register("Test.Props", [] { return std::make_shared<FixedProps>(); });
    EXPECT_NE(registry.CreateObject("Test.Props"), registry.CreateObject("Test.Props"));
}

TEST_F(Registry, NamesMatchWithoutRegardToCase)
{
    registry.Register("Test.Props", [] { return std::make_shared<FixedProps>(); });
    EXPECT_TRUE(registry.IsRegistered("TEST.PROPS"));
}

TEST_F(Registry, UnknownNameIsAHostErrorNamingIt)
{
    try {
        registry.CreateObject("Nobody.Here");
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_EQ(error.Number(), ComponentRegistry::ErrorNotRegistered);
        EXPECT_TRUE(error.Description().contains("Nobody.Here")) << error.Description().toStdString();
        EXPECT_FALSE(error.Description().contains("ActiveX")) << "worded for this platform";
        EXPECT_EQ(error.Source(), "ComponentRegistry");
    }
}

TEST_F(Registry, UnregisteredNameCanNoLongerBeCreated)
{
    registry.Register("Test.Props", [] { return std::make_shared<FixedProps>(); });
    registry.Unregister("Test.Props");
    EXPECT_THROW(registry.CreateObject("Test.Props"), HostError);
}

TEST_F(Registry, ComponentWithoutTheInterfaceIsRefused)
{
    registry.Register("Test.Other", [] { return std::make_shared<NotAStore>(); });
    EXPECT_THROW(registry.Create<ShareProps>("Test.Other"), HostError);
}

TEST_F(Registry, FactoryErrorsReachTheCaller)
{
    registry.Register("Test.Broken", []() -> std::shared_ptr<HostComponent> {
        throw HostError(HostErrors::OutOfMemory, "out of memory", "Test.Broken");
    });
    EXPECT_THROW(registry.CreateObject("Test.Broken"), HostError);
}

}
