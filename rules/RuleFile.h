#pragma once

#include "BatRuleStruct.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;

namespace vellbatchrule {

struct StoredRule;

// The file rules move between databases in: one row per element, its
// owner by kind and number (ids differ from one database to the next), the
// element's columns as ICBatchNoRule stores them. CSV after RFC 4180 (a
// header row, fields quoted where they hold a comma, a quote or a line
// break, lines ended by CR LF), UTF-8; or the same as JSON.
namespace RuleFile {

// "Owner,Number,FID,FPropertyID,…,FSubCharacter".
const QStringList& Columns();
// A last column a file may carry: the version of the rule when it was
// written (RuleVersion), which an import can insist is still stored.
inline const QString VersionColumn = QStringLiteral("Version");
inline const QString ItemOwner = QStringLiteral("item");
inline const QString GroupOwner = QStringLiteral("group");

// One line of fields, quoted where needed, ended by CR LF.
QString CsvLine(const QStringList& fields);
// With a version: the Version column too.
QString CsvHeader(bool versions = false);
// The rows of one rule, each with the version where one is given.
QString CsvRows(const StoredRule& rule, const QString& version = QString());
QJsonObject JsonOf(const StoredRule& rule, const QString& version = QString());

// One row read back, with the line it starts on.
struct Row {
    int line = 0;
    bool group = false;
    QString number;
    BatRuleStruct element;   // FItemID is not in the file
    QString version;         // where the file has the Version column
};
struct Problem {
    int line = 0;
    QString message;   // translated, without the line
};
struct Contents {
    QList<Row> rows;
    QList<Problem> problems;
};
// Reads a rule file as a stream, one line at a time: each sound row is
// handed on as soon as it is read and every malformed one is a problem of
// its own, so a file costs the memory of its rows, not of its text.
class Reader {
public:
    // No record of a rule row comes near this: a number and a rule's texts
    // of at most 200 characters each.
    static constexpr qsizetype MaxRecordBytes = 16 * 1024;

    enum class Outcome {
        Read,            // to the end; Problems() lists the malformed rows
        NoHeader,        // the first line is not the header
        NotUtf8,
        ReadFailed,      // the device's error string says why
        RecordTooLong,   // a record over MaxRecordBytes, at Line()
        TooManyRows,     // more lines after the header than maxRows, blank ones included; the first one over at Line()
    };

    Reader(QIODevice& device, qint64 maxRows);
    // Reads until the end or the first outcome that ends the reading.
    Outcome Read(const std::function<void(Row&)>& take);
    const QList<Problem>& Problems() const { return problems_; }
    int Line() const { return line_; }

    static QString HeaderProblem();

private:
    QIODevice& device_;
    qint64 maxRows_;
    qsizetype columns_ = 0;   // as the header has them
    int line_ = 1;
    QList<Problem> problems_;
};

// The whole of a text read as a file: a missing header is its one problem.
Contents ReadCsv(const QString& text);

}

}
