// The rule file reader on any bytes, as `rule import` reads a file or a pipe.
#include "FuzzCheck.h"
#include "RuleFile.h"

#include <QBuffer>

using namespace vellbatchrule;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    // Few enough rows that the limit is met too.
    RuleFile::Reader reader(device, 16);
    int lastLine = 1;
    qint64 rows = 0;
    const RuleFile::Reader::Outcome outcome = reader.Read([&](RuleFile::Row& row) {
        FUZZ_CHECK(row.line > lastLine, QStringLiteral("row on line %1 after line %2").arg(row.line).arg(lastLine));
        lastLine = row.line;
        ++rows;
    });
    FUZZ_CHECK(rows <= 16);
    FUZZ_CHECK(reader.Line() >= 1);
    if (outcome != RuleFile::Reader::Outcome::Read)
        return 0;
    // Every problem is of a line after the header, in the order of the file.
    int problemLine = 2;
    for (const RuleFile::Problem& problem : reader.Problems()) {
        FUZZ_CHECK(problem.line >= problemLine, problem.message);
        FUZZ_CHECK(!problem.message.isEmpty());
        problemLine = problem.line;
    }
    // The whole text read at once finds what the stream found.
    const RuleFile::Contents whole = RuleFile::ReadCsv(QString::fromUtf8(bytes));
    FUZZ_CHECK(whole.rows.size() == rows && whole.problems.size() == reader.Problems().size());
    return 0;
}
