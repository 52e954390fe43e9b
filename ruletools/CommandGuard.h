#pragma once

#include "GLB.h"
#include "HostError.h"
#include "HostErrors.h"
#include "MParse.h"
#include "Recordset.h"
#include "Result.h"

#include <QString>
#include <QVariantList>
#include <memory>

namespace vellbatchrule {

// How a rule tool ends: its answer, or the reason it failed as data. The
// Part's own steps report a failure in a message box; while a tool runs,
// those boxes are kept as its failure instead of shown.
namespace CommandGuard {

struct Refusal {
    QString message;
};

// Ends the tool after a failure that a step has reported already.
struct AlreadyShown {};

[[noreturn]] inline void Refuse(const char* pattern, const QVariantList& values = {})
{
    throw Refusal{MParse::TranslateFormat(pattern, values)};
}

// The failure of a tool whose steps reported `shown` (the last one with error `number`).
inline Failure FailureOf(const QStringList& shown, qint32 number)
{
    return {number ? number : HostErrors::Refused, shown.value(shown.size() - 1), MParse::TranslateText("砚川提示"),
            shown};
}

// The work's answer, or its failure after a refusal, an error or any
// failure a step reported on the way (a read failing included). No box opens.
template <typename Work>
auto Attempt(Work work) -> Result<decltype(work())>
{
    GLB::MessageCapture reported;
    try {
        auto answer = work();
        if (reported.Messages().isEmpty())
            return answer;
    } catch (const Refusal& refusal) {
        return FailureOf(reported.Messages() + QStringList{refusal.message}, HostErrors::Refused);
    } catch (const HostError& error) {
        return FailureOf(reported.Messages() + QStringList{error.Description()}, error.Number());
    } catch (const AlreadyShown&) {
    }
    return FailureOf(reported.Messages(), reported.LastNumber());
}

// The outcome alone of a tool whose work answers true.
inline Result<void> Done(const Result<bool>& outcome)
{
    return outcome ? Result<void>() : Result<void>(outcome.failure());
}

// A row the user may see, or the refusal naming what is missing; a read
// that failed has reported its error already.
inline std::unique_ptr<Recordset> Visible(std::unique_ptr<Recordset> rows, const char* missing, qint32 id)
{
    if (!rows)
        throw AlreadyShown{};
    if (rows->Eof())
        Refuse(missing, {id});
    return rows;
}

// Stops before anything is written when a step has reported a failure since `reportedBefore`.
inline void ExpectNothingReportedSince(int reportedBefore)
{
    if (GLB::MessagesReported() != reportedBefore)
        throw AlreadyShown{};
}

}

}
