#pragma once

#include <QString>

class HostError;

// The one failure message box of the component.
namespace GLB {

// kind 1 shows the exclamation icon, any other kind the information icon.
// With details, the cause and source of `error` follow the message on
// lines of their own. The box is modal and has one OK button.
void ShowErrorMessage(const QString& message, qint32 kind, bool withDetails, const HostError* error = nullptr);

// How many boxes this thread has shown: a command that showed one did not
// do all it was asked.
int MessagesShown();

}
