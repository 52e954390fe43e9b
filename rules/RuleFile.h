#pragma once

#include "BatRuleStruct.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

struct StoredRule;

// The file rules move between databases in: one row per element, its
// owner by kind and number (ids differ from one database to the next), the
// element's columns as ICBatchNoRule stores them. CSV after RFC 4180 (a
// header row, fields quoted where they hold a comma, a quote or a line
// break, lines ended by CR LF), UTF-8; or the same as JSON.
namespace RuleFile {

// "Owner,Number,FID,FPropertyID,…,FSubCharacter".
const QStringList& Columns();
inline const QString ItemOwner = QStringLiteral("item");
inline const QString GroupOwner = QStringLiteral("group");

QString CsvHeader();
// The rows of one rule.
QString CsvRows(const StoredRule& rule);
QJsonObject JsonOf(const StoredRule& rule);

// One row read back, with the line it starts on.
struct Row {
    int line = 0;
    bool group = false;
    QString number;
    BatRuleStruct element;   // FItemID is not in the file
};
struct Problem {
    int line = 0;
    QString message;   // translated, without the line
};
struct Contents {
    QList<Row> rows;
    QList<Problem> problems;
};
// Every malformed row is a problem of its own; the rows that are sound are read.
Contents ReadCsv(const QString& text);

}
