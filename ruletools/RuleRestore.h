#pragma once

#include "BatRuleStruct.h"
#include "EditorTarget.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace vellbatchrule {

class AppConnection;

// Puts back what one change on record replaced: the owner's rule as it was
// before, and for a spread every material's rule below the group as it was
// (a material without one loses the spread's). One unit of work, on record
// itself as a restore, so a restore can be restored in turn. The rows go
// back as they were stored: they passed the editor's checks when written.
class RuleRestore {
public:
    // The entry's owner within the user's grants; an entry not on record or
    // out of reach is refused (CommandGuard), as a missing history is.
    RuleRestore(AppConnection& connection, qint32 entry);

    // Asked inside the unit, before anything is written, when the owner's
    // rule (or, for a spread, a rule below the group) moved on since the
    // entry: true overwrites. Unset: nothing is written.
    std::function<bool(const QString& reason)> onConflict;

    // False when nothing was written: a failure shown, or the conflict declined.
    bool Restore();

    QString OwnerText() const;
    std::pair<RuleOwner, qint32> Owner() const { return {owner_, ownerId_}; }
    qint32 Entry() const { return entry_; }

private:
    bool StillAsRecorded();

    AppConnection& connection_;
    qint32 entry_;
    RuleOwner owner_ = RuleOwner::Material;
    qint32 ownerId_ = 0;
    EditorTarget target_;
    std::optional<QString> spreadNumber_;
};

}
