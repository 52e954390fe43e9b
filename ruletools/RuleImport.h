#pragma once

#include "BatchOptions.h"
#include "RuleFile.h"
#include "SpreadDryRun.h"

#include <QHash>
#include <QList>
#include <QMultiHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vellbatchrule {

class BatRuleSave;
class RuleGrid;

// Rules read from a rule file, each put through the editor as a user fills
// it in: its cells typed into a grid, the editor's checks, the save
// engine's collecting. Any refused rule keeps the whole file from being
// written; otherwise all of it lands in one unit of work with the options.
class RuleImport {
public:
    struct Refusal {
        int line;
        QString message;   // translated
    };

    // itemIsTop: -1 keeps the stored option, else its new state. Reads the
    // owners the user may see and the options; false after a failed query,
    // which has been shown and refuses the file.
    bool Begin(int itemIsTop);
    // The most rows a rule file can hold here: every owner with all its levels.
    qint64 MaxRows() const;
    // One sound row of the file, kept compactly with the other rows of its owner.
    void Take(const RuleFile::Row& row);
    // After the last row: the file's own problems, then every owner's rule
    // through the editor.
    void Finish(const QList<RuleFile::Problem>& problems);
    // All of that for a file read whole.
    void Prepare(const RuleFile::Contents& file, int itemIsTop);

    // In the order of their lines.
    const QList<Refusal>& Refusals() const { return refusals_; }

    int ItemRules() const { return itemRules_; }
    int GroupRules() const { return int(rules_.size()) - itemRules_; }
    const BatchOptions& Options() const { return options_; }

    // What each group rule changes, in the order Write spreads them: the
    // materials it leaves to a more specific group of the file are not its.
    // Nothing after a failed query, which has been shown.
    struct SpreadChange {
        QString groupText;   // number(name)
        SpreadDryRun counts;
    };
    std::optional<QList<SpreadChange>> DryRun() const;

    // The groups first, so that the more specific group wins: outer before
    // inner when a group rule replaces own rules, inner before outer when it
    // spares them (the inner spread's rows are own rules to the outer one);
    // then the materials. False after a failure, which has been shown and undone.
    bool Write();

    // Write writes a rule only over the version its rows carry, and a rule
    // without one not at all: the file was exported with its versions.
    bool requireUnchanged = false;

    // A message about one line of the file, the line number first.
    static QString LineMessage(int line, const QString& message);

private:
    struct Owner {
        qint32 id = 0;
        QString number;       // as stored
        QString text;         // number(name)
        qint32 parentId = 0;  // a material's group
    };
    // A row as the file gave it, its texts by their place in texts_.
    struct Element {
        qint32 line, fid, propertyId, useShortNumber, width;
        qint32 formatDate, selDefine, character, subCharacter;
    };
    // The rows of one owner, wherever they stand in the file.
    struct Pending {
        bool group = false;
        QString number;          // as the file gave it first
        std::optional<Owner> owner;
        QString refusal;         // without an owner: why none
        QList<Element> elements;
        QString version;         // as its first row gives it
    };
    // A rule the editor took: its owner's rows, and what the order of the writes needs.
    struct Prepared {
        std::size_t pending;
        bool singleItem;
        QString number;          // the spread's
        QString text;
    };
    struct Resolution {
        std::optional<Owner> owner;
        QString refusal;
    };

    bool ReadOwners();
    Resolution Resolve(bool group, const QString& number) const;
    int PendingOf(const RuleFile::Row& row);
    qint32 TextIndex(const QString& text);
    // The owner's rule through the editor into `save`; false with its refusals recorded.
    bool Collect(Prepared& prepared, BatRuleSave& save);
    bool FillRow(RuleGrid& grid, int row, int line, const BatRuleStruct& element);
    // Inside Write's unit: whether the owner's stored rule is the version the file carries; else shown why not.
    bool StillAsExported(const Pending& pending, bool singleItem) const;
    void Refuse(int line, const QString& message) { refusals_.append({line, message}); }
    bool Refused(int line, const QString& message)
    {
        Refuse(line, message);
        return false;
    }

    QMultiHash<QString, Owner> items_, groups_;   // by case-folded number without trailing blanks
    QString rootRefusal_;                         // empty: the user may write the root's rule
    BatchOptions options_;
    BatchOptions loadedOptions_;   // as Begin read them
    std::vector<Pending> pending_;                // in the order owners first appear
    QHash<QString, int> pendingByNumber_, pendingByOwner_;
    QStringList texts_;
    QHash<QString, qint32> textIndex_;
    std::vector<Prepared> rules_;
    int itemRules_ = 0;
    QList<Refusal> refusals_;
};

}
