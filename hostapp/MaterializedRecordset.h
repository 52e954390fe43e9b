#pragma once

#include "Recordset.h"

#include <QHash>
#include <QList>
#include <QStringList>

// A record set held wholly in memory, so its count is exact and it can be
// scrolled freely long after the statement that made it has finished.
class MaterializedRecordset : public Recordset {
public:
    MaterializedRecordset(QStringList fieldNames, QList<QList<QVariant>> rows);

    bool Eof() const override;
    bool Bof() const override;
    int RecordCount() const override { return int(rows_.size()); }

    void MoveFirst() override;
    void MoveNext() override;
    void Move(int rows) override;

    int FieldCount() const override { return int(fieldNames_.size()); }
    QString FieldName(int index) const override;
    QVariant Field(int index) const override;
    QVariant Field(const QString& name) const override;

private:
    void ExpectCurrentRow() const;

    QStringList fieldNames_;
    QHash<QString, int> fieldIndex_;   // case-folded name to position
    QList<QList<QVariant>> rows_;
    qsizetype position_ = 0;           // -1 is before the first row, RecordCount() after the last
};
