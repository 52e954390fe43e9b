#pragma once

#include "BatRuleStruct.h"

#include <QString>

#include <functional>
#include <optional>

namespace vellbatchrule {

class AppConnection;
class BatchOptions;

// Puts each rule write of a commit on record (RuleHistory), in the commit's
// unit of work, where the database keeps history; elsewhere the writers run
// as they always have. Made before the unit: it asks once whether the
// history tables are there.
class HistoryRecorder {
public:
    // An empty source records nothing.
    HistoryRecorder(AppConnection& connection, QString source);

    // One owner's writers with their record around them: the rows they
    // replace, then the entry with the rows they wrote. A spread (a group
    // with its number, "" for the root) also keeps the materials' rules it
    // may replace and counts the materials it reaches. False when a step
    // failed; its failure has been shown.
    bool Record(RuleOwner owner, qint32 ownerId, const std::optional<QString>& spreadNumber, bool spareOwnRules,
                const std::function<bool()>& write);

    // A change of the batch options, where one of them changed; false when its record failed (shown).
    bool RecordOptions(const BatchOptions& before, const BatchOptions& after);

    // "record 12, material 101: 张三(16394) at … through editor" of the
    // newest entry a RuleHistory list reads, or "" for none.
    static QString ChangeText(AppConnection& connection, const QString& listSql);
    // The same of the owner's newest entry, "" where no history is kept.
    static QString NewestChangeText(AppConnection& connection, RuleOwner owner, qint32 ownerId);

private:
    // The next entry's number, inside the writer's unit.
    qint32 NextEntry();

    AppConnection& connection_;
    QString source_;
    bool kept_ = false;
};

}
