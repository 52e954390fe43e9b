#include "Fakes.h"
#include "GLB.h"
#include "HostError.h"
#include "HostErrors.h"
#include "SharePropsStore.h"
#include "TestSupport.h"

#include <thread>

namespace {

class ErrorMessage : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModuleState();
        RecordingMessageBox::Register();
        DictionaryLoader::Register();
        DictionaryLoader::dictionary["en"] = {
            {"砚川提示", "Yanchuan Prompt"}, {"错误原因：", "Cause: "}, {"错误来源：", "Source: "}};
        ComponentRegistry::Instance().Register(ComponentNames::ShareProps, [] { return std::make_shared<SharePropsStore>(); });
        SharePropsStore::SetProperty("PropsString", "UserID=1;LANGUAGE=chs");
    }

    static const RecordingMessageBox::Shown& Last() { return RecordingMessageBox::shown.last(); }
};

TEST_F(ErrorMessage, WithoutDetailsShowsTheMessageAlone)
{
    const HostError error(5, "no such table", "VellConnection.AppConnection");
    GLB::ShowErrorMessage("FetchBatchRule::\r\nno such table", 0, false, &error);
    ASSERT_EQ(RecordingMessageBox::shown.size(), 1);
    EXPECT_EQ(Last().text, "FetchBatchRule::\r\nno such table");
    EXPECT_EQ(Last().title, "砚川提示");
    EXPECT_EQ(Last().icon, MessageBox::Icon::Information);
}

TEST_F(ErrorMessage, WithDetailsAddsCauseAndSourceLines)
{
    const HostError error(HostErrors::ErrorsInCommand, "UNIQUE constraint failed", "VellConnection.AppConnection");
    GLB::ShowErrorMessage("系统在调用函数TakingGroupSaves()时发生错误", 0, true, &error);
    EXPECT_EQ(Last().text, "系统在调用函数TakingGroupSaves()时发生错误\r\n错误原因：UNIQUE constraint failed\r\n"
                           "错误来源：VellConnection.AppConnection");
}

TEST_F(ErrorMessage, LabelsAndTitleFollowTheLanguage)
{
    SharePropsStore::SetProperty("PropsString", "UserID=1;LANGUAGE=en");
    const HostError error(1, "disk full", "db");
    GLB::ShowErrorMessage("Save failed", 0, true, &error);
    EXPECT_EQ(Last().text, "Save failed\r\nCause: disk full\r\nSource: db");
    EXPECT_EQ(Last().title, "Yanchuan Prompt");
}

TEST_F(ErrorMessage, EmptyDetailsLeaveTheLabelsAlone)
{
    GLB::ShowErrorMessage("M", 0, true, nullptr);
    EXPECT_EQ(Last().text, "M\r\n错误原因：\r\n错误来源：");
}

TEST_F(ErrorMessage, KindOneIsAnExclamationOthersInformation)
{
    GLB::ShowErrorMessage("a", 1, false);
    EXPECT_EQ(Last().icon, MessageBox::Icon::Exclamation);
    GLB::ShowErrorMessage("b", 2, false);
    EXPECT_EQ(Last().icon, MessageBox::Icon::Information);
}

TEST_F(ErrorMessage, MissingStringLoaderStillShowsTheBox)
{
    ComponentRegistry::Instance().Unregister(ComponentNames::ResourceLoader);
    GLB::ShowErrorMessage("x", 0, true, nullptr);
    EXPECT_EQ(Last().title, "砚川提示");
    EXPECT_EQ(Last().text, "x\r\n错误原因：\r\n错误来源：");
}

TEST_F(ErrorMessage, ACaptureKeepsTheMessagesOfItsThreadUnshown)
{
    const int shownBefore = GLB::MessagesShown();
    {
        GLB::MessageCapture outer;
        GLB::ShowErrorMessage("第一", 0, false);
        {
            GLB::MessageCapture inner;
            const HostError error(5, "no such table", "VellConnection.AppConnection");
            GLB::ShowErrorMessage("第二", 0, true, &error);
            EXPECT_EQ(inner.Messages(), QStringList{"第二\r\n错误原因：no such table\r\n错误来源：VellConnection.AppConnection"});
        }
        std::thread([] { GLB::ShowErrorMessage("另一个线程", 0, false); }).join();
        EXPECT_EQ(outer.Messages(), QStringList{"第一"}) << "the inner capture took its own, other threads show theirs";
    }
    ASSERT_EQ(RecordingMessageBox::shown.size(), 1);
    EXPECT_EQ(RecordingMessageBox::shown[0].text, "另一个线程");
    EXPECT_EQ(GLB::MessagesShown(), shownBefore) << "captured messages are not shown ones";
    GLB::ShowErrorMessage("之后", 0, false);
    EXPECT_EQ(RecordingMessageBox::shown.size(), 2);
}

}
