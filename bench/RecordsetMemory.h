#pragma once

#include <QString>

// What a large record set costs in memory, against the bytes of its values.
struct RecordsetMemory {
    qint64 rows = 0;
    qint64 valueBytes = 0;   // 8 for a number, a text's UTF-8 bytes, as SQLite holds them
    qint64 peakBytes = -1;   // growth of the process's peak resident memory; -1 when unknown
    qint64 heldBytes = 0;    // growth of its resident memory while the set is held

    // The record set of `query` through the host connection on `database`,
    // after `warmUp` has read the same pages into the page cache.
    static RecordsetMemory Measure(const QString& database, const QString& query, const QString& warmUp);

    // The same, in a process of its own whose heap holds nothing freed that
    // the set could reuse: this program run with the one argument IsChild
    // knows, which measures and Prints.
    static RecordsetMemory MeasureInFreshProcess();
    static bool IsChild(int argc, char** argv);
    void Print() const;
};
