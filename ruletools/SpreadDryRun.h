#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vellbatchrule {

// What spreading a group rule would change, counted with one read-only
// query: the batch-managed materials below the group that the user may
// see, and those of them with a rule of their own, which the option
// "物料类设置不改变个别物料设置" spares.
class SpreadDryRun {
public:
    int materials = 0;
    int ownRules = 0;

    int Receiving(bool spareOwnRules) const { return spareOwnRules ? materials - ownRules : materials; }
    int Kept(bool spareOwnRules) const { return spareOwnRules ? ownRules : 0; }
    // The line the editor shows: how many materials change, with the kept
    // count when own rules are spared.
    QString Text(bool spareOwnRules) const;

    // Below a group number ("" for every material) and below none of the
    // inner group numbers, on this thread's connection; nothing after a
    // failed query, which has been shown.
    static std::optional<SpreadDryRun> Count(const QString& groupNumber, const QStringList& innerGroups = {});

    // For a thread of its own (the editor's window counts without waiting):
    // makes the thread's connection and session from the host's components,
    // finds the group's number as the commit does, and shows no box.
    static std::optional<SpreadDryRun> CountApart(qint32 groupId, const QString& groupText);
};

}
