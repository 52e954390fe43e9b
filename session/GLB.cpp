#include "GLB.h"

#include "ComponentNames.h"
#include "ComponentRegistry.h"
#include "HostError.h"
#include "MParse.h"
#include "MessageBox.h"

namespace vellbatchrule {

namespace GLB {

namespace {
thread_local int messagesShown = 0;
thread_local int messagesReported = 0;
thread_local MessageCapture* capture = nullptr;
}

MessageCapture::MessageCapture() : outer_(capture)
{
    capture = this;
}

MessageCapture::~MessageCapture()
{
    capture = outer_;
}

int MessagesShown()
{
    return messagesShown;
}

int MessagesReported()
{
    return messagesReported;
}

void ShowErrorMessage(const QString& message, qint32 kind, bool withDetails, const HostError* error)
{
    QString text = message;
    if (withDetails) {
        text += QStringLiteral("\r\n") + MParse::TranslateText("错误原因：")
                + (error ? error->Description() : QString()) + QStringLiteral("\r\n")
                + MParse::TranslateText("错误来源：") + (error ? error->Source() : QString());
    }
    ++messagesReported;
    if (capture) {
        capture->messages_.append(text);
        capture->lastNumber_ = error ? error->Number() : 0;
        return;
    }
    ++messagesShown;
    const auto icon = kind == 1 ? MessageBox::Icon::Exclamation : MessageBox::Icon::Information;
    ComponentRegistry::Instance()
        .Create<MessageBox>(ComponentNames::MessageBox)
        ->Show(text, MParse::TranslateText("砚川提示"), icon);
}

}

}
