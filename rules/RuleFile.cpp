#include "RuleFile.h"

#include "HostText.h"
#include "MParse.h"
#include "StoredRules.h"

#include <QBuffer>
#include <QFileDevice>
#include <QJsonArray>
#include <QStringDecoder>

#include <algorithm>
#include <limits>
#include <utility>

namespace vellbatchrule {

namespace RuleFile {

namespace {

enum Column { Owner, Number, Fid, PropertyId, UseShortNumber, FormatDate, SelDefine, Width, Character, SubCharacter };

QString CsvField(const QString& value)
{
    static const QString special = QStringLiteral(",\"\r\n");
    if (!std::any_of(value.begin(), value.end(), [](QChar c) { return special.contains(c); }))
        return value;
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}


// One record of fields, and the line it starts on.
struct Record {
    int line = 0;
    QStringList fields;
};

// Splits CSV text into records as it arrives, piece by piece; a quote left
// open at the end is a problem at its record.
class RecordSplitter {
public:
    // `take` answers false to stop the reading.
    using Take = std::function<bool(Record&)>;

    bool Feed(const QString& text, const Take& take)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (quoted_) {
                if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field_ += c;
                    ++i;
                } else if (c == QLatin1Char('"')) {
                    quoted_ = false;
                } else {
                    if (c == QLatin1Char('\n'))
                        ++line_;
                    field_ += c;
                }
            } else if (c == QLatin1Char('"') && field_.isEmpty() && !fieldWasQuoted_) {
                quoted_ = fieldWasQuoted_ = true;
            } else if (c == QLatin1Char(',')) {
                EndField();
            } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
                if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                    ++i;
                ++line_;
                if (!EndRecord(take))
                    return false;
            } else {
                field_ += c;
            }
        }
        return true;
    }

    void Finish(const Take& take, QList<Problem>& problems)
    {
        if (quoted_)
            problems << Problem{record_.line, MParse::TranslateText("引号没有结束")};
        else
            EndRecord(take);
    }

    int RecordLine() const { return record_.line; }
    // The records a line break has ended, blank lines included; the header is the first.
    qint64 RecordsEnded() const { return recordsEnded_; }
    // Whether a record has begun that no line break has ended yet.
    bool InRecord() const { return quoted_ || !field_.isEmpty() || !record_.fields.isEmpty(); }

private:
    void EndField()
    {
        field_.squeeze();
        record_.fields << field_;
        field_.clear();
        fieldWasQuoted_ = false;
    }

    bool EndRecord(const Take& take)
    {
        ++recordsEnded_;
        EndField();
        bool goOn = true;
        if (!(record_.fields.size() == 1 && record_.fields[0].isEmpty()))
            goOn = take(record_);   // blank lines carry nothing
        record_ = Record{line_, {}};
        return goOn;
    }

    Record record_{1, {}};
    QString field_;
    int line_ = 1;
    qint64 recordsEnded_ = 0;
    bool quoted_ = false, fieldWasQuoted_ = false;
};

bool WholeNumber(const QString& text, qint32& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

// A record as a row, or the reason it is none.
QString RowOf(const Record& record, qsizetype columns, Row& row)
{
    const QStringList& f = record.fields;
    if (f.size() != columns)
        return MParse::TranslateFormat("应有%1项，而不是%2项", {columns, f.size()});
    if (columns > Columns().size())
        row.version = f.last().trimmed();
    const QString owner = f[Owner].trimmed();
    if (owner.compare(ItemOwner, Qt::CaseInsensitive) != 0 && owner.compare(GroupOwner, Qt::CaseInsensitive) != 0)
        return MParse::TranslateFormat("Owner应是item或group，不是“%1”", {HostText::Excerpt(owner)});
    row.line = record.line;
    row.group = owner.compare(GroupOwner, Qt::CaseInsensitive) == 0;
    row.number = f[Number];
    BatRuleStruct& e = row.element;
    const std::pair<Column, qint32*> numbers[] = {
        {Fid, &e.FID}, {PropertyId, &e.FPropertyID}, {UseShortNumber, &e.FUseShortNumber}, {Width, &e.FWidth}};
    for (const auto& [column, value] : numbers)
        if (!WholeNumber(f[column], *value))
            return MParse::TranslateFormat("%1应是整数，不是“%2”",
                                           {Columns()[column], HostText::Excerpt(f[column])});
    e.FFormatDate = f[FormatDate];
    e.FSelDefine = f[SelDefine];
    e.FCharacter = f[Character];
    e.FSubCharacter = f[SubCharacter];
    return QString();
}

}

const QStringList& Columns()
{
    static const QStringList columns{QStringLiteral("Owner"),         QStringLiteral("Number"),
                                     QStringLiteral("FID"),           QStringLiteral("FPropertyID"),
                                     QStringLiteral("FUseShortNumber"), QStringLiteral("FFormatDate"),
                                     QStringLiteral("FSelDefine"),    QStringLiteral("FWidth"),
                                     QStringLiteral("FCharacter"),    QStringLiteral("FSubCharacter")};
    return columns;
}

QString CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted << CsvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString CsvHeader(bool versions)
{
    return CsvLine(versions ? Columns() + QStringList{VersionColumn} : Columns());
}

QString CsvRows(const StoredRule& rule, const QString& version)
{
    QString rows;
    for (const BatRuleStruct& e : rule.elements) {
        QStringList fields{rule.group ? GroupOwner : ItemOwner, rule.number, QString::number(e.FID),
                           QString::number(e.FPropertyID), QString::number(e.FUseShortNumber), e.FFormatDate,
                           e.FSelDefine, QString::number(e.FWidth), e.FCharacter, e.FSubCharacter};
        if (!version.isEmpty())
            fields << version;
        rows += CsvLine(fields);
    }
    return rows;
}

QJsonObject JsonOf(const StoredRule& rule, const QString& version)
{
    const QStringList& key = Columns();
    QJsonArray elements;
    for (const BatRuleStruct& e : rule.elements)
        elements.append(QJsonObject{{key[Fid], e.FID},
                                    {key[PropertyId], e.FPropertyID},
                                    {key[UseShortNumber], e.FUseShortNumber},
                                    {key[FormatDate], e.FFormatDate},
                                    {key[SelDefine], e.FSelDefine},
                                    {key[Width], e.FWidth},
                                    {key[Character], e.FCharacter},
                                    {key[SubCharacter], e.FSubCharacter}});
    QJsonObject object{{key[Owner], rule.group ? GroupOwner : ItemOwner},
                       {key[Number], rule.number},
                       {QStringLiteral("Elements"), elements}};
    if (!version.isEmpty())
        object.insert(VersionColumn, version);
    return object;
}

Reader::Reader(QIODevice& device, qint64 maxRows) : device_(device), maxRows_(maxRows) {}

Reader::Outcome Reader::Read(const std::function<void(Row&)>& take)
{
    RecordSplitter splitter;
    QStringDecoder utf8(QStringDecoder::Utf8);
    bool header = true;
    Outcome outcome = Outcome::Read;
    // Blank lines count as rows: a file of nothing but line breaks ends too.
    // Those inside quotes belong to one record, which MaxRecordBytes bounds.
    const auto overTheCap = [&] { return splitter.RecordsEnded() - 1 > maxRows_; };
    const RecordSplitter::Take record = [&](Record& record) {
        line_ = record.line;
        if (std::exchange(header, false)) {
            const QString given = record.fields.join(QLatin1Char(','));
            const QString plain = Columns().join(QLatin1Char(','));
            const bool versioned = given.compare(plain + QLatin1Char(',') + VersionColumn, Qt::CaseInsensitive) == 0;
            const bool isHeader = versioned || given.compare(plain, Qt::CaseInsensitive) == 0;
            columns_ = Columns().size() + (versioned ? 1 : 0);
            outcome = isHeader ? Outcome::Read : Outcome::NoHeader;
            return isHeader;
        }
        if (overTheCap()) {
            outcome = Outcome::TooManyRows;
            return false;
        }
        Row row;
        if (const QString problem = RowOf(record, columns_, row); !problem.isEmpty())
            problems_ << Problem{record.line, problem};
        else
            take(row);
        return true;
    };
    // Piece by piece, each at most one line: a record longer than any rule
    // gives is no rule file, and reading stops before it fills the memory.
    qsizetype recordBytes = 0;
    for (bool first = true;; first = false) {
        const QByteArray piece = device_.readLine(MaxRecordBytes + 2);
        if (piece.isEmpty())
            break;   // the end, or a device that says nothing more: a device, a pipe
        line_ = splitter.RecordLine();
        QString text = utf8(piece);
        if (utf8.hasError())
            return Outcome::NotUtf8;
        if (first && text.startsWith(QChar(0xfeff)))
            text.remove(0, 1);
        if (!splitter.Feed(text, record))
            return outcome;
        if (overTheCap()) {
            line_ = splitter.RecordLine() - 1;
            return Outcome::TooManyRows;
        }
        recordBytes = splitter.InRecord() ? recordBytes + piece.size() : 0;
        if (recordBytes > MaxRecordBytes) {
            line_ = splitter.RecordLine();
            return Outcome::RecordTooLong;
        }
    }
    if (const auto* file = qobject_cast<const QFileDevice*>(&device_); file && file->error() != QFileDevice::NoError)
        return Outcome::ReadFailed;
    // A character the end of the file cut short is no UTF-8 either: the decoder
    // keeps its first bytes until a byte that cannot continue them comes.
    [[maybe_unused]] const QString rest = utf8(QByteArrayView("\n"));
    if (utf8.hasError())
        return Outcome::NotUtf8;
    splitter.Finish(record, problems_);
    if (header || outcome != Outcome::Read) {
        line_ = header ? 1 : line_;
        return header ? Outcome::NoHeader : outcome;
    }
    std::stable_sort(problems_.begin(), problems_.end(), [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return Outcome::Read;
}

QString Reader::HeaderProblem()
{
    return MParse::TranslateFormat("第一行应是表头：%1", {Columns().join(QLatin1Char(','))});
}

Contents ReadCsv(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Reader reader(buffer, std::numeric_limits<qint64>::max());
    Contents contents;
    if (reader.Read([&](Row& row) { contents.rows << row; }) == Reader::Outcome::NoHeader) {
        contents.rows.clear();
        contents.problems = {Problem{1, Reader::HeaderProblem()}};
        return contents;
    }
    contents.problems = reader.Problems();
    return contents;
}

}

}
