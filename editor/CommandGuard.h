#pragma once

#include "GLB.h"
#include "HostError.h"
#include "MParse.h"
#include "Recordset.h"

#include <QString>
#include <QVariantList>
#include <memory>

namespace vellbatchrule {

// How a rule command ends: a refusal is shown as the editor shows it, and
// a command that showed any message did not do all it was asked.
namespace CommandGuard {

struct Refusal {
    QString message;
};

// Ends the command after a failure that has been shown already.
struct AlreadyShown {};

[[noreturn]] inline void Refuse(const char* pattern, const QVariantList& values = {})
{
    throw Refusal{MParse::TranslateFormat(QString::fromUtf8(pattern), values)};
}

inline int Report(const QString& message)
{
    GLB::ShowErrorMessage(message, 0, false);
    return 1;
}

// The exit code of the work: its own, or 1 after a refusal, a failure or
// any message shown on the way (a read failing included).
template <typename Work>
int Guard(Work work)
{
    const int shownBefore = GLB::MessagesShown();
    try {
        const int code = work();
        return GLB::MessagesShown() == shownBefore ? code : 1;
    } catch (const Refusal& refusal) {
        return Report(refusal.message);
    } catch (const HostError& error) {
        return Report(error.Description());
    } catch (const AlreadyShown&) {
        return 1;
    }
}

// A row the user may see, or the refusal naming what is missing; a read
// that failed has shown its error already.
inline std::unique_ptr<Recordset> Visible(std::unique_ptr<Recordset> rows, const char* missing, qint32 id)
{
    if (!rows)
        throw AlreadyShown{};
    if (rows->Eof())
        Refuse(missing, {id});
    return rows;
}

// Stops before anything is written when a step has shown a failure.
inline void ExpectNothingShownSince(int shownBefore)
{
    if (GLB::MessagesShown() != shownBefore)
        throw AlreadyShown{};
}

}

}
