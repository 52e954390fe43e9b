#include "MaterializedRecordset.h"

#include "HostError.h"
#include "HostErrors.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vellbatchrule {

namespace {

const QString kSource = QStringLiteral("VellConnection.Recordset");

// Reads the count PutCounted wrote: seven bits a byte, low bits first.
quint64 ReadLength(const char*& p)
{
    quint64 length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*p++);
        length |= quint64(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return length;
    }
}

template <typename T>
T Read(const char*& p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    p += sizeof value;
    return value;
}

}

MaterializedRecordset::MaterializedRecordset(QStringList fieldNames) : fieldNames_(std::move(fieldNames)) {}

MaterializedRecordset::MaterializedRecordset(QStringList fieldNames, const QList<QList<QVariant>>& rows)
    : MaterializedRecordset(std::move(fieldNames))
{
    for (const QList<QVariant>& row : rows)
        for (const QVariant& value : row)
            AppendVariant(value);
}

char* MaterializedRecordset::StartValue(qsizetype bytes)
{
    if (valuesInRow_ == 0) {
        if (quint64(used_) > std::numeric_limits<quint32>::max())
            throw HostError(HostErrors::OutOfMemory, QStringLiteral("The result is too large to be held in memory"),
                            kSource);
        rowStarts_.append(quint32(used_));
    }
    valuesInRow_ = valuesInRow_ + 1 == fieldNames_.size() ? 0 : valuesInRow_ + 1;
    // The buffer grows by reallocation, which moves no bytes once it is
    // large; most results are a row or a few and fit the first 512 bytes.
    if (values_.size() - used_ < bytes)
        values_.resize(std::max<qsizetype>({512, 2 * values_.size(), used_ + bytes}));
    char* value = values_.data() + used_;
    used_ += bytes;
    return value;
}

void MaterializedRecordset::Put(Tag tag, const void* data, qsizetype size)
{
    char* value = StartValue(1 + size);
    value[0] = char(tag);
    if (size > 0)
        std::memcpy(value + 1, data, size_t(size));
}

void MaterializedRecordset::PutCounted(Tag tag, quint64 count, QByteArrayView bytes)
{
    char head[1 + 10];
    int size = 0;
    head[size++] = char(tag);
    for (; count >= 0x80; count >>= 7)
        head[size++] = char(count | 0x80);   // seven bits a byte, low bits first
    head[size++] = char(count);
    char* value = StartValue(size + bytes.size());
    std::memcpy(value, head, size_t(size));
    if (!bytes.isEmpty())
        std::memcpy(value + size, bytes.data(), size_t(bytes.size()));
}

void MaterializedRecordset::AppendNull()
{
    Put(Tag::Null, nullptr, 0);
}

void MaterializedRecordset::AppendInteger(qint64 value)
{
    if (value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max()) {
        const qint32 small = qint32(value);
        Put(Tag::Int64In32, &small, sizeof small);
    } else {
        Put(Tag::Int64, &value, sizeof value);
    }
}

void MaterializedRecordset::AppendReal(double value)
{
    Put(Tag::Real, &value, sizeof value);
}

void MaterializedRecordset::AppendText(QByteArrayView utf8)
{
    PutCounted(Tag::Text, quint64(utf8.size()), utf8);
}

void MaterializedRecordset::AppendVariant(const QVariant& value)
{
    // Each value comes back with the type it went in with.
    const QMetaType type = value.metaType();
    if (value.isNull() && type == QMetaType::fromType<QString>()) {
        AppendNull();
    } else if (!value.isNull() && type == QMetaType::fromType<int>()) {
        const int number = value.toInt();
        Put(Tag::Int, &number, sizeof number);
    } else if (!value.isNull() && type == QMetaType::fromType<qlonglong>()) {
        AppendInteger(value.toLongLong());
    } else if (!value.isNull() && type == QMetaType::fromType<double>()) {
        AppendReal(value.toDouble());
    } else if (!value.isNull() && type == QMetaType::fromType<QString>()) {
        AppendText(value.toString().toUtf8());
    } else if (!value.isNull() && type == QMetaType::fromType<QByteArray>()) {
        const QByteArray bytes = value.toByteArray();
        PutCounted(Tag::Blob, quint64(bytes.size()), bytes);
    } else {
        PutCounted(Tag::Other, quint64(others_.size()));
        others_.append(value);
    }
}

const char* MaterializedRecordset::Skip(const char* p)
{
    switch (Tag(*p++)) {
    case Tag::Int:
    case Tag::Int64In32:
        return p + 4;
    case Tag::Int64:
    case Tag::Real:
        return p + 8;
    case Tag::Text:
    case Tag::Blob: {
        const auto size = qsizetype(ReadLength(p));
        return p + size;
    }
    case Tag::Other:
        ReadLength(p);
        return p;
    case Tag::Null:
        break;
    }
    return p;
}

QVariant MaterializedRecordset::Decode(const char* p) const
{
    switch (Tag(*p++)) {
    case Tag::Int:
        return Read<int>(p);
    case Tag::Int64In32:
        return qlonglong(Read<qint32>(p));
    case Tag::Int64:
        return qlonglong(Read<qint64>(p));
    case Tag::Real:
        return Read<double>(p);
    case Tag::Text: {
        const auto size = qsizetype(ReadLength(p));
        return QString::fromUtf8(p, size);
    }
    case Tag::Blob: {
        const auto size = qsizetype(ReadLength(p));
        return QByteArray(p, size);
    }
    case Tag::Other:
        return others_[qsizetype(ReadLength(p))];
    case Tag::Null:
        break;
    }
    return QVariant(QMetaType::fromType<QString>());   // SQL's NULL, as Qt's SQLite driver gives it
}

QVariant MaterializedRecordset::ValueAt(qsizetype row, int field) const
{
    const char* p = values_.constData() + rowStarts_[row];
    for (int i = 0; i < field; ++i)
        p = Skip(p);
    return Decode(p);
}

bool MaterializedRecordset::Eof() const
{
    return position_ >= rowStarts_.size();
}

bool MaterializedRecordset::Bof() const
{
    return position_ < 0 || rowStarts_.isEmpty();
}

void MaterializedRecordset::MoveFirst()
{
    position_ = 0;
}

void MaterializedRecordset::MoveNext()
{
    if (Eof())
        throw HostError(HostErrors::NoCurrentRecord,
                        QStringLiteral("Either BOF or EOF is True: there is no current record"), kSource);
    ++position_;
}

void MaterializedRecordset::Move(int rows)
{
    const qsizetype count = rowStarts_.size();
    if (rows != 0 && count == 0)
        throw HostError(HostErrors::NoCurrentRecord,
                        QStringLiteral("Either BOF or EOF is True: the record set is empty"), kSource);
    const qsizetype target = position_ + rows;
    if ((target < 0 && Bof()) || (target > count - 1 && Eof()))
        throw HostError(HostErrors::NoCurrentRecord, QStringLiteral("Either BOF or EOF is True: cannot move further"),
                        kSource);
    position_ = std::clamp<qsizetype>(target, -1, count);
}

QString MaterializedRecordset::FieldName(int index) const
{
    if (index < 0 || index >= fieldNames_.size())
        throw HostError(HostErrors::ItemNotFound,
                        QStringLiteral("Item cannot be found in the collection: field %1").arg(index), kSource);
    return fieldNames_[index];
}

void MaterializedRecordset::ExpectCurrentRow() const
{
    if (Bof() || Eof())
        throw HostError(HostErrors::NoCurrentRecord,
                        QStringLiteral("Either BOF or EOF is True: there is no current record"), kSource);
}

QVariant MaterializedRecordset::Field(int index) const
{
    FieldName(index);
    ExpectCurrentRow();
    return ValueAt(position_, index);
}

QVariant MaterializedRecordset::Field(const QString& name) const
{
    // Of two columns with one name, the first answers, as ADO's Fields did.
    for (int i = 0; i < fieldNames_.size(); ++i) {
        if (fieldNames_[i].compare(name, Qt::CaseInsensitive) == 0) {
            ExpectCurrentRow();
            return ValueAt(position_, i);
        }
    }
    throw HostError(HostErrors::ItemNotFound,
                    QStringLiteral("Item cannot be found in the collection: field '%1'").arg(name), kSource);
}

}
