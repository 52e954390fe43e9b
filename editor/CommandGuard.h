#pragma once

#include "GLB.h"
#include "HostError.h"
#include "MParse.h"
#include "Recordset.h"

#include <QString>
#include <QVariantList>
#include <memory>
#include <optional>

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
    throw Refusal{MParse::TranslateFormat(pattern, values)};
}

inline void Report(const QString& message)
{
    GLB::ShowErrorMessage(message, 0, false);
}

// The work's answer, or nothing after a refusal, a failure or any message
// shown on the way (a read failing included).
template <typename Work>
auto Attempt(Work work) -> std::optional<decltype(work())>
{
    const int shownBefore = GLB::MessagesShown();
    try {
        auto answer = work();
        if (GLB::MessagesShown() == shownBefore)
            return answer;
    } catch (const Refusal& refusal) {
        Report(refusal.message);
    } catch (const HostError& error) {
        Report(error.Description());
    } catch (const AlreadyShown&) {
    }
    return std::nullopt;
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
