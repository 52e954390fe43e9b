#include "Fakes.h"
#include "GlossaLoader.h"
#include "HostErrors.h"
#include "MParse.h"
#include "SharePropsStore.h"
#include "TestSupport.h"
#include "TextFormatter.h"

#include <QObject>

namespace {

class RecordingGlossa : public GlossaLoader {
public:
    static inline QStringList calls;
    static inline int created = 0;
    RecordingGlossa() { ++created; }

    ValueList LoadGlossaStrings(QObject* window, const QString& code, const QString& reserved, const QString& key,
                                ValueBag& options) override
    {
        calls << QStringLiteral("LoadGlossaStrings(%1,%2,%3,%4,NeedMLColumnHeaders=%5)")
                     .arg(window->objectName(), code, reserved, key,
                          options.Get("NeedMLColumnHeaders", "none").toString());
        return {};
    }
    void SetFrmFont(QObject* window, const QString& code) override
    {
        calls << QStringLiteral("SetFrmFont(%1,%2)").arg(window->objectName(), code);
    }
    ValueBag GetVellFontProps(const QString& code) override
    {
        calls << QStringLiteral("GetVellFontProps(%1)").arg(code);
        ValueBag props;
        props.Set("Font.Name", "Arial");
        return props;
    }
};

class FailingFormatter : public TextFormatter {
public:
    QString Format(const QString&, const QStringList&) override
    {
        throw HostError(HostErrors::InvalidCall, "broken", "formatter");
    }
};

class SimpleFormatter : public TextFormatter {
public:
    QString Format(const QString& pattern, const QStringList& values) override
    {
        QString out = pattern;
        for (int i = 0; i < values.size(); ++i)
            out.replace(QStringLiteral("%%1").arg(i + 1), values[i]);
        return out;
    }
};

class LanguageResources : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModuleState();
        DictionaryLoader::Register();
        DictionaryLoader::dictionary["en"] = {{"条记录", "records"}, {"打印", "Print"}, {"序列号长度%1小于%2", "Length %1 < %2"}};
        RecordingGlossa::calls.clear();
        RecordingGlossa::created = 0;
        auto& registry = ComponentRegistry::Instance();
        registry.Register(ComponentNames::ShareProps, [] { return std::make_shared<SharePropsStore>(); });
        registry.Register(ComponentNames::GlossaLoader, [] { return std::make_shared<RecordingGlossa>(); });
        registry.Register(ComponentNames::TextFormatter, [] { return std::make_shared<SimpleFormatter>(); });
        Session("UserID=1;LANGUAGE=en");
        window.setObjectName("frmBatRuleSet");
    }

    static void Session(const QString& props) { SharePropsStore::SetProperty("PropsString", props); }

    QObject window;
};

TEST_F(LanguageResources, EmptyTextGivesEmptyWithoutAskingTheLoader)
{
    EXPECT_EQ(MParse::TranslateText(""), "");
    EXPECT_EQ(MParse::TranslateText("   "), "");
    EXPECT_TRUE(DictionaryLoader::asked.isEmpty());
}

TEST_F(LanguageResources, TextIsTrimmedOfBlanksBeforeTheLookup)
{
    EXPECT_EQ(MParse::TranslateText("  打印 "), "Print");
    EXPECT_EQ(DictionaryLoader::asked, QStringList{"打印"});
}

TEST_F(LanguageResources, LoaderIsMadeOnceAndSetUpAtEveryCall)
{
    MParse::TranslateText("打印");
    MParse::TranslateText("打印");
    EXPECT_EQ(DictionaryLoader::created, 1);
    EXPECT_EQ(DictionaryLoader::settings,
              (QStringList{"base=VEZAROZIVADA", "language=en", "base=VEZAROZIVADA", "language=en"}));
}

TEST_F(LanguageResources, CompositeTranslatesOnlyMarkedSegments)
{
    EXPECT_EQ(MParse::TranslateText("共有^|^~$~条记录"), "共有records");
    EXPECT_EQ(MParse::TranslateComposite("a^|^~$~^|^b"), "ab");
    EXPECT_EQ(DictionaryLoader::asked, QStringList{"条记录"});
}

TEST_F(LanguageResources, MissingLoaderLeavesTextsUntranslated)
{
    ComponentRegistry::Instance().Unregister(ComponentNames::ResourceLoader);
    EXPECT_EQ(MParse::TranslateText(" 打印 "), " 打印 ");
    EXPECT_EQ(MParse::TranslateText("共有^|^~$~条记录"), "共有^|^~$~条记录");
}

TEST_F(LanguageResources, LanguageIsKeptOnceFound)
{
    MParse::TranslateText("打印");
    Session("UserID=1;LANGUAGE=chs");
    EXPECT_EQ(MParse::TranslateText("打印"), "Print");
}

TEST_F(LanguageResources, MissingLanguageIsSearchedAgainAtEachUse)
{
    Session("UserID=1");
    EXPECT_EQ(MParse::TranslateText("打印"), "打印");
    Session("UserID=1;LANGUAGE=en");
    EXPECT_EQ(MParse::TranslateText("打印"), "Print");
}

TEST_F(LanguageResources, FormatTranslatesThenFillsInOrder)
{
    EXPECT_EQ(MParse::TranslateFormat("序列号长度%1小于%2", {3, QVariant()}), "Length 3 < ");
}

TEST_F(LanguageResources, FormatFailureGivesTheTranslatedTemplate)
{
    ComponentRegistry::Instance().Register(ComponentNames::TextFormatter, [] { return std::make_shared<FailingFormatter>(); });
    EXPECT_EQ(MParse::TranslateFormat("序列号长度%1小于%2", {3, 4}), "Length %1 < %2");
    ComponentRegistry::Instance().Unregister(ComponentNames::TextFormatter);
    ResetModuleState();
    EXPECT_EQ(MParse::TranslateFormat("序列号长度%1小于%2", {3, 4}), "Length %1 < %2");
}

TEST_F(LanguageResources, FormResourcesAreLoadedForOtherLanguages)
{
    std::optional<ValueBag> options;
    MParse::LoadFormResources(&window, options, MParse::ResourceKey);
    EXPECT_EQ(RecordingGlossa::calls, QStringList{"LoadGlossaStrings(frmBatRuleSet,en,,VEZAROZIVADA,NeedMLColumnHeaders=true)"});
    ASSERT_TRUE(options.has_value());
}

TEST_F(LanguageResources, FormResourcesDoNothingInSimplifiedChinese)
{
    Session("UserID=1;LANGUAGE=CHS");
    std::optional<ValueBag> options;
    MParse::LoadFormResources(&window, options, MParse::ResourceKey);
    EXPECT_TRUE(RecordingGlossa::calls.isEmpty());
    EXPECT_EQ(RecordingGlossa::created, 0);
    MParse::TranslateText("打印");
    EXPECT_EQ(DictionaryLoader::asked, QStringList{"打印"});
}

TEST_F(LanguageResources, FormResourcesPassGivenOptions)
{
    std::optional<ValueBag> options = ValueBag();
    options->Set("NeedMLColumnHeaders", false);
    MParse::LoadFormResources(&window, options, "KEY");
    EXPECT_EQ(RecordingGlossa::calls, QStringList{"LoadGlossaStrings(frmBatRuleSet,en,,KEY,NeedMLColumnHeaders=false)"});
}

TEST_F(LanguageResources, FormFontKeepsOneLoaderAndReadsTheOtherSpelling)
{
    Session("UserID=1;Language=cht");
    MParse::SetFormFont(&window);
    MParse::SetFormFont(&window);
    EXPECT_EQ(RecordingGlossa::created, 1);
    EXPECT_EQ(RecordingGlossa::calls, (QStringList{"SetFrmFont(frmBatRuleSet,cht)", "SetFrmFont(frmBatRuleSet,cht)"}));
}

TEST_F(LanguageResources, FontPropsComeFromANewLoaderEachTime)
{
    EXPECT_EQ(MParse::GetFontProps().Get("Font.Name"), QVariant("Arial"));
    MParse::GetFontProps();
    EXPECT_EQ(RecordingGlossa::created, 2);
    EXPECT_EQ(RecordingGlossa::calls.first(), "GetVellFontProps(en)");
}

TEST_F(LanguageResources, MissingFormLoaderReachesTheCaller)
{
    ComponentRegistry::Instance().Unregister(ComponentNames::GlossaLoader);
    std::optional<ValueBag> options;
    EXPECT_THROW(MParse::LoadFormResources(&window, options, MParse::ResourceKey), HostError);
    EXPECT_THROW(MParse::SetFormFont(&window), HostError);
    EXPECT_THROW(MParse::GetFontProps(), HostError);
}

}
