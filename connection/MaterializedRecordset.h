#pragma once

#include "Recordset.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace vellbatchrule {

// A record set held wholly in memory, so its count is exact and it can be
// scrolled freely long after the statement that made it has finished.
// Values are kept compactly by their type (texts as UTF-8) and become
// QVariants only when a field is read.
class MaterializedRecordset : public Recordset {
public:
    explicit MaterializedRecordset(QStringList fieldNames);
    MaterializedRecordset(QStringList fieldNames, const QList<QList<QVariant>>& rows);

    // Filling, by its maker: the values of each row in field order.
    void AppendNull();
    void AppendInteger(qint64 value);
    void AppendReal(double value);
    void AppendText(QByteArrayView utf8);
    void AppendVariant(const QVariant& value);

    bool Eof() const override;
    bool Bof() const override;
    int RecordCount() const override { return int(rowStarts_.size()); }

    void MoveFirst() override;
    void MoveNext() override;
    void Move(int rows) override;

    int FieldCount() const override { return int(fieldNames_.size()); }
    QString FieldName(int index) const override;
    QVariant Field(int index) const override;
    QVariant Field(const QString& name) const override;

private:
    enum class Tag : char { Null, Int, Int64In32, Int64, Real, Text, Blob, Other };

    // Room for a value of `bytes` bytes at the end of the buffer.
    char* StartValue(qsizetype bytes);
    // A value: its tag, then a number of `size` bytes.
    void Put(Tag tag, const void* data, qsizetype size);
    // A value: its tag, then a count, then as many bytes.
    void PutCounted(Tag tag, quint64 count, QByteArrayView bytes = {});
    static const char* Skip(const char* value);
    QVariant Decode(const char* value) const;
    QVariant ValueAt(qsizetype row, int field) const;
    void ExpectCurrentRow() const;

    QStringList fieldNames_;
    QByteArray values_;          // row after row, each value a tag and its bytes; room after them
    qsizetype used_ = 0;
    QList<quint32> rowStarts_;   // where each row begins in values_
    QList<QVariant> others_;     // values of any other type, by number
    int valuesInRow_ = 0;
    qsizetype position_ = 0;     // -1 is before the first row, RecordCount() after the last
};

}
