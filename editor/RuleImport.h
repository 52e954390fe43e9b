#pragma once

#include "BatRuleSave.h"
#include "BatchOptions.h"
#include "RuleFile.h"

#include <QHash>
#include <QList>
#include <QString>
#include <vector>

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
    // owners and the options; database failures are shown and refuse.
    void Prepare(const RuleFile::Contents& file, int itemIsTop);
    // In the order of their lines.
    const QList<Refusal>& Refusals() const { return refusals_; }

    int ItemRules() const { return itemRules_; }
    int GroupRules() const { return int(rules_.size()) - itemRules_; }
    // The groups whose rules spread, as "number(name)", and their numbers.
    const QList<std::pair<QString, QString>>& Spreads() const { return spreads_; }
    const BatchOptions& Options() const { return options_; }

    // Groups first, outer before inner, then the materials; false after a
    // failure, which has been shown and undone.
    bool Write();

    // A message about one line of the file, the line number first.
    static QString LineMessage(int line, const QString& message);

private:
    struct Owner {
        qint32 id = 0;
        QString text;         // number(name)
        qint32 parentId = 0;  // a material's group
    };
    struct Prepared {
        BatRuleSave save;
        bool singleItem;
        QString number;
    };
    bool ReadOwners();
    void PrepareRule(bool group, const QString& number, QList<RuleFile::Row> rows);
    bool FillRow(RuleGrid& grid, int row, const RuleFile::Row& element);
    void Refuse(int line, const QString& message) { refusals_.append({line, message}); }

    QHash<QString, Owner> items_, groups_;   // by case-folded number
    BatchOptions options_;
    std::vector<Prepared> rules_;
    int itemRules_ = 0;
    QList<std::pair<QString, QString>> spreads_;
    QList<Refusal> refusals_;
};
