#include "RecordsetMemory.h"

#include "SqlConnection.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <sqlite3.h>

using namespace vellbatchrule;

namespace {

// A field of /proc/self/status, in bytes.
qint64 StatusBytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

// Makes the peak resident memory start again from the present.
bool ResetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Rows and value bytes of the query, straight through the C library.
void CountValues(const QString& database, const QString& query, RecordsetMemory& memory)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = query.toUtf8();
    sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++memory.rows;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            const int type = sqlite3_column_type(statement, c);
            memory.valueBytes += type == SQLITE_TEXT || type == SQLITE_BLOB ? sqlite3_column_bytes(statement, c)
                                 : type == SQLITE_NULL                      ? 0
                                                                            : 8;
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

}

RecordsetMemory RecordsetMemory::Measure(const QString& database, const QString& query, const QString& warmUp)
{
    RecordsetMemory memory;
    CountValues(database, query, memory);
    SqlConnection connection(database);
    connection.Execute(warmUp);   // only the set itself grows now
    const bool peakKnown = ResetPeak();
    const qint64 before = StatusBytes("VmRSS:");
    const auto rows = connection.Execute(query);
    memory.heldBytes = StatusBytes("VmRSS:") - before;
    if (peakKnown)
        memory.peakBytes = StatusBytes("VmHWM:") - before;
    if (!rows || rows->RecordCount() != memory.rows)
        memory.rows = -1;
    return memory;
}

namespace {
const QString kChildArgument = QStringLiteral("--record-set-memory");
}

RecordsetMemory RecordsetMemory::MeasureInFreshProcess()
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {kChildArgument});
    child.waitForFinished(-1);
    const QList<QByteArray> numbers = child.readAllStandardOutput().trimmed().split(' ');
    RecordsetMemory memory;
    if (child.exitCode() != 0 || numbers.size() != 4)
        return memory;
    memory.rows = numbers[0].toLongLong();
    memory.valueBytes = numbers[1].toLongLong();
    memory.peakBytes = numbers[2].toLongLong();
    memory.heldBytes = numbers[3].toLongLong();
    return memory;
}

bool RecordsetMemory::IsChild(int argc, char** argv)
{
    return argc == 2 && QString::fromLocal8Bit(argv[1]) == kChildArgument;
}

void RecordsetMemory::Print() const
{
    std::printf("%lld %lld %lld %lld\n", rows, valueBytes, peakBytes, heldBytes);
}
