#include "MaterializedRecordset.h"

#include "HostError.h"

#include <algorithm>

namespace {
const QString kSource = QStringLiteral("VellConnection.Recordset");
}

MaterializedRecordset::MaterializedRecordset(QStringList fieldNames, QList<QList<QVariant>> rows)
    : fieldNames_(std::move(fieldNames)), rows_(std::move(rows))
{
    // Of two columns with one name, the first answers, as ADO's Fields did.
    for (int i = int(fieldNames_.size()) - 1; i >= 0; --i)
        fieldIndex_.insert(fieldNames_[i].toCaseFolded(), i);
}

bool MaterializedRecordset::Eof() const
{
    return position_ >= rows_.size();
}

bool MaterializedRecordset::Bof() const
{
    return position_ < 0 || rows_.isEmpty();
}

void MaterializedRecordset::MoveFirst()
{
    position_ = 0;
}

void MaterializedRecordset::MoveNext()
{
    if (Eof())
        throw HostError(3021, QStringLiteral("Either BOF or EOF is True: there is no current record"), kSource);
    ++position_;
}

void MaterializedRecordset::Move(int rows)
{
    if (rows != 0 && rows_.isEmpty())
        throw HostError(3021, QStringLiteral("Either BOF or EOF is True: the record set is empty"), kSource);
    const qsizetype target = position_ + rows;
    if ((target < 0 && Bof()) || (target > rows_.size() - 1 && Eof()))
        throw HostError(3021, QStringLiteral("Either BOF or EOF is True: cannot move further"), kSource);
    position_ = std::clamp<qsizetype>(target, -1, rows_.size());
}

QString MaterializedRecordset::FieldName(int index) const
{
    if (index < 0 || index >= fieldNames_.size())
        throw HostError(3265, QStringLiteral("Item cannot be found in the collection: field %1").arg(index), kSource);
    return fieldNames_[index];
}

void MaterializedRecordset::ExpectCurrentRow() const
{
    if (Bof() || Eof())
        throw HostError(3021, QStringLiteral("Either BOF or EOF is True: there is no current record"), kSource);
}

QVariant MaterializedRecordset::Field(int index) const
{
    FieldName(index);
    ExpectCurrentRow();
    return rows_[position_][index];
}

QVariant MaterializedRecordset::Field(const QString& name) const
{
    const auto found = fieldIndex_.constFind(name.toCaseFolded());
    if (found == fieldIndex_.constEnd())
        throw HostError(3265, QStringLiteral("Item cannot be found in the collection: field '%1'").arg(name), kSource);
    ExpectCurrentRow();
    return rows_[position_][*found];
}
