#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace vellbatchrule {

class TsqlShape;

// An INSERT … SELECT, as far as the order of its rows is concerned: the
// table, the columns given, and which of them take a column of the SELECT's
// tables (rather than a constant or an expression).
struct BridgeInsert {
    QString table;   // unquoted
    QStringList columns;
    std::vector<bool> copied;
};

// One step of a translated batch: a SQLite statement, or a condition whose
// answer (0 or 1) chooses which steps run next.
struct BridgeStep {
    QString sql;                      // the statement, or the condition's SELECT
    bool isCondition = false;
    std::vector<BridgeStep> whenTrue;
    std::vector<BridgeStep> whenFalse;
    std::vector<int> literals;        // of a shape: the batch's literal behind ?1, ?2 … of sql
    int index = 0;                    // among all steps of the program, in the order they appear
    BridgeInsert insert;              // of an INSERT … SELECT; empty table otherwise
};

// A Transact-SQL batch as steps that SQLite can run, with the effect SQL
// Server would give.
struct BridgeProgram {
    std::vector<BridgeStep> steps;
    QStringList tempTables;   // "#name" tables the batch creates, already quoted
    bool writes = false;      // false for a batch of plain queries
    int stepCount = 0;        // steps at every level
};

// Translates the batches this system sends: statements split at their
// leading keywords; DELETE alias FROM …, SELECT … INTO #tmp, #temporary
// tables, IF [NOT] EXISTS (…) BEGIN … END ELSE …, a statement's SELECT TOP n
// and LIKE's [x] escapes rewritten; lock hints (WITH (UPDLOCK, HOLDLOCK))
// dropped, a unit of work holding the write lock already; everything else passed through. A construct it does not know
// throws HostError naming it.
BridgeProgram TranslateTsql(const QString& batch);

// The same for a batch's shape: its lifted literals become parameters ?1,
// ?2 … of each step. The translation of a recent shape is kept (per thread)
// and handed out again for every batch of that shape.
std::shared_ptr<const BridgeProgram> TranslateShape(const TsqlShape& shape);

}
