#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace vellbatchrule {

// A file an output lands in whole or not at all. A regular file (or a new
// one) is written beside itself and put in its place only when every write
// and the close held, so a failure leaves the old file as it was; a pipe or a
// device (/dev/stdout) is written straight, and its failures still count.
class OutputFile {
public:
    explicit OutputFile(const QString& path);

    // False when the file cannot be made; ErrorString says why.
    bool Open();
    QIODevice& Device();
    // Puts the file in place; false after any failed write, and nothing is replaced.
    bool Commit();
    QString ErrorString() const;

private:
    bool straight_;
    QSaveFile whole_;
    QFile device_;
    QString failure_;
};

}
