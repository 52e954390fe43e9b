#pragma once

#include <QString>
#include <QStringList>

namespace vellbatchrule {

class HostError;

// The one failure message box of the component.
namespace GLB {

// kind 1 shows the exclamation icon, any other kind the information icon.
// With details, the cause and source of `error` follow the message on
// lines of their own. The box is modal and has one OK button.
void ShowErrorMessage(const QString& message, qint32 kind, bool withDetails, const HostError* error = nullptr);

// How many boxes this thread has shown.
int MessagesShown();
// How many failures this thread has reported, shown or captured: a step
// that reported one did not do all it was asked.
int MessagesReported();

// While one lives, this thread's messages are kept in it instead of shown:
// a refusal can be asked for where no box may open (a check run over a
// file, a worker thread). Captured messages do not count as shown.
class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const QStringList& Messages() const { return messages_; }
    // The number of the last message's error; 0 when it came without one.
    qint32 LastNumber() const { return lastNumber_; }
    void Clear() { messages_.clear(); }

private:
    friend void ShowErrorMessage(const QString&, qint32, bool, const HostError*);
    QStringList messages_;
    qint32 lastNumber_ = 0;
    MessageCapture* outer_;
};

}

}
