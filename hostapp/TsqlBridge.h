#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One step of a translated batch: a SQLite statement, or a condition whose
// answer (0 or 1) chooses which steps run next.
struct BridgeStep {
    QString sql;                      // the statement, or the condition's SELECT
    bool isCondition = false;
    std::vector<BridgeStep> whenTrue;
    std::vector<BridgeStep> whenFalse;
};

// A Transact-SQL batch as steps that SQLite can run, with the effect SQL
// Server would give.
struct BridgeProgram {
    std::vector<BridgeStep> steps;
    QStringList tempTables;   // "#name" tables the batch creates, already quoted
    bool writes = false;      // false for a batch of plain queries
};

// Translates the batches this system sends: statements split at their
// leading keywords; DELETE alias FROM …, SELECT … INTO #tmp, #temporary
// tables, IF [NOT] EXISTS (…) BEGIN … END ELSE …, a statement's SELECT TOP n
// and LIKE's [x] escapes rewritten; everything else passed through. A construct it does not know
// throws HostError naming it.
BridgeProgram TranslateTsql(const QString& batch);
