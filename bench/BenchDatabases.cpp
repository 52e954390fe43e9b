#include "BenchDatabases.h"

#include "DemoDatabase.h"

#include <QFile>
#include <cstdio>

using namespace vellbatchrule;

namespace BenchDatabases {

namespace {

QString Written(const char* name, int groups, int materials)
{
    const QString path = QStringLiteral(VELL_BENCH_DATA "/%1.sqlite").arg(QLatin1String(name));
    if (!QFile::exists(path)) {
        std::printf("Writing %s (%d groups, %d materials)...\n", qPrintable(path), groups, materials);
        std::fflush(stdout);
        DemoDatabase::WriteSynthetic(path, groups, materials);
    }
    return path;
}

}

QString Standard()
{
    return Written("bench-100k", kStandardGroups, kStandardMaterials);
}

QString OneLargeGroup()
{
    return Written("bench-group-100k", 1, kStandardMaterials);
}

QString Million()
{
    return Written("bench-1m", kStandardGroups, kMillion);
}

QString ScratchCopy(const QString& database)
{
    const QString scratch = database + QStringLiteral(".scratch");
    QFile::remove(scratch);
    QFile::copy(database, scratch);
    return scratch;
}

}
