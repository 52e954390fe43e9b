#include "DataAccess.h"
#include "Fakes.h"
#include "HostError.h"
#include "HostErrors.h"
#include "MMTS.h"
#include "TestSupport.h"

namespace {

// Records the calls made on it; counts the objects alive.
class RecordingAccess : public DataAccess {
public:
    static inline QStringList calls;
    static inline int alive = 0;
    static inline bool used = true;
    static inline QString failIn;

    RecordingAccess() { ++alive; }
    ~RecordingAccess() override { --alive; }

    bool IsUsed(const QString& props, qint32 userId) override
    {
        Record(QStringLiteral("IsUsed(%1,%2)").arg(props).arg(userId));
        return used;
    }
    ValueBag GetRowAccessInfo(const QString& props, qint32 userId, const ValueList& tables) override
    {
        Record(QStringLiteral("GetRowAccessInfo(%1,%2,%3)").arg(props).arg(userId).arg(tables.Count()));
        ValueBag info;
        info.Set("t_ICItem", "granted");
        return info;
    }
    ValueBag GetAccessDataSQL(const ValueList& mappings, const ValueBag& info) override
    {
        return Fragments("GetAccessDataSQL", mappings, info);
    }
    ValueBag GetAccessDataSQL2(const ValueList& mappings, const ValueBag& info) override
    {
        return Fragments("GetAccessDataSQL2", mappings, info);
    }

private:
    static void Record(const QString& call)
    {
        calls << call;
        if (call.startsWith(failIn) && !failIn.isEmpty())
            throw HostError(HostErrors::ErrorsInCommand, "access rights unavailable", "Tessbase.DataAccess");
    }
    static ValueBag Fragments(const char* name, const ValueList& mappings, const ValueBag& info)
    {
        Record(QStringLiteral("%1(%2,%3)").arg(name).arg(mappings.Count()).arg(info.Get("t_ICItem", "empty").toString()));
        ValueBag fragments;
        fragments.Set("From", "F");
        fragments.Set("Where", "W");
        return fragments;
    }
};

class DataAccessFilter : public testing::Test {
protected:
    void SetUp() override
    {
        RecordingAccess::calls.clear();
        RecordingAccess::used = true;
        RecordingAccess::failIn.clear();
        ComponentRegistry::Instance().Register(ComponentNames::DataAccess, [] { return std::make_shared<RecordingAccess>(); });
        tables.Append("t_ICItem");
        ValueBag mapping;
        mapping.Set("DataTable", "t_ICItem");
        mappings.Append(QVariant::fromValue(mapping));
    }

    bool Filter(bool firstForm = false)
    {
        return MMTS::GetDataAccessFilter("P", 16394, tables, mappings, from, where, firstForm);
    }

    ValueList tables, mappings;
    QString from, where;
};

TEST_F(DataAccessFilter, AsksTheServiceInOrderAndTakesBothFragments)
{
    EXPECT_TRUE(Filter());
    EXPECT_EQ(RecordingAccess::calls,
              (QStringList{"IsUsed(P,16394)", "GetRowAccessInfo(P,16394,1)", "GetAccessDataSQL2(1,granted)"}));
    EXPECT_EQ(from, "F");
    EXPECT_EQ(where, "W");
    EXPECT_EQ(RecordingAccess::alive, 0);
}

TEST_F(DataAccessFilter, FirstFormUsesTheFirstOperation)
{
    Filter(true);
    EXPECT_EQ(RecordingAccess::calls.last(), "GetAccessDataSQL(1,granted)");
}

TEST_F(DataAccessFilter, UnrestrictedUserLeavesFragmentsAsGiven)
{
    RecordingAccess::used = false;
    from = "keep";
    EXPECT_TRUE(Filter());
    EXPECT_EQ(RecordingAccess::calls, QStringList{"IsUsed(P,16394)"});
    EXPECT_EQ(from, "keep");
    EXPECT_EQ(where, "");
}

TEST_F(DataAccessFilter, NoMappingsFetchesNoFragments)
{
    mappings = ValueList();
    Filter();
    EXPECT_EQ(RecordingAccess::calls, (QStringList{"IsUsed(P,16394)", "GetRowAccessInfo(P,16394,1)"}));
    EXPECT_EQ(from, "");
}

TEST_F(DataAccessFilter, NoTablesGivesTheFragmentCallEmptyInformation)
{
    tables = ValueList();
    Filter();
    EXPECT_EQ(RecordingAccess::calls, (QStringList{"IsUsed(P,16394)", "GetAccessDataSQL2(1,empty)"}));
}

TEST_F(DataAccessFilter, ServiceErrorsReachTheCallerWhole)
{
    for (const char* step : {"IsUsed", "GetRowAccessInfo", "GetAccessDataSQL2"}) {
        RecordingAccess::failIn = step;
        try {
            Filter();
            FAIL() << step;
        } catch (const HostError& error) {
            EXPECT_EQ(error.Number(), HostErrors::ErrorsInCommand);
            EXPECT_EQ(error.Source(), "Tessbase.DataAccess");
            EXPECT_EQ(error.Description(), "access rights unavailable");
        }
        EXPECT_EQ(RecordingAccess::alive, 0) << step;
    }
}

TEST_F(DataAccessFilter, MissingServiceIsAnError)
{
    ComponentRegistry::Instance().Unregister(ComponentNames::DataAccess);
    EXPECT_THROW(Filter(), HostError);
}

}
