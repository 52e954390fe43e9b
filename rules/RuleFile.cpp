#include "RuleFile.h"

#include "HostText.h"
#include "MParse.h"
#include "StoredRules.h"

#include <QJsonArray>

#include <algorithm>

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

QString CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted << CsvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

// One record of fields, and the line it starts on.
struct Record {
    int line = 0;
    QStringList fields;
};

// Splits CSV text into records; a quote left open is a problem at its record.
QList<Record> Records(const QString& text, QList<Problem>& problems)
{
    QList<Record> records;
    Record record{1, {}};
    QString field;
    int line = 1;
    bool quoted = false, fieldWasQuoted = false;
    auto endRecord = [&] {
        record.fields << field;
        field.clear();
        fieldWasQuoted = false;
        if (!(record.fields.size() == 1 && record.fields[0].isEmpty()))
            records << record;   // blank lines carry nothing
        record = Record{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty() && !fieldWasQuoted) {
            quoted = fieldWasQuoted = true;
        } else if (c == QLatin1Char(',')) {
            record.fields << field;
            field.clear();
            fieldWasQuoted = false;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord();
        } else {
            field += c;
        }
    }
    if (quoted)
        problems << Problem{record.line, MParse::TranslateText(QStringLiteral("引号没有结束"))};
    else
        endRecord();
    return records;
}

bool WholeNumber(const QString& text, qint32& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

// A record as a row, or the reason it is none.
QString RowOf(const Record& record, Row& row)
{
    const QStringList& f = record.fields;
    if (f.size() != Columns().size())
        return MParse::TranslateFormat(QStringLiteral("应有%1项，而不是%2项"), {Columns().size(), f.size()});
    const QString owner = f[Owner].trimmed();
    if (owner.compare(ItemOwner, Qt::CaseInsensitive) != 0 && owner.compare(GroupOwner, Qt::CaseInsensitive) != 0)
        return MParse::TranslateFormat(QStringLiteral("Owner应是item或group，不是“%1”"), {HostText::Excerpt(owner)});
    row.line = record.line;
    row.group = owner.compare(GroupOwner, Qt::CaseInsensitive) == 0;
    row.number = f[Number];
    BatRuleStruct& e = row.element;
    const std::pair<Column, qint32*> numbers[] = {
        {Fid, &e.FID}, {PropertyId, &e.FPropertyID}, {UseShortNumber, &e.FUseShortNumber}, {Width, &e.FWidth}};
    for (const auto& [column, value] : numbers)
        if (!WholeNumber(f[column], *value))
            return MParse::TranslateFormat(QStringLiteral("%1应是整数，不是“%2”"),
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
    static const QStringList columns{"Owner",      "Number",     "FID",    "FPropertyID", "FUseShortNumber",
                                     "FFormatDate", "FSelDefine", "FWidth", "FCharacter",  "FSubCharacter"};
    return columns;
}

QString CsvHeader()
{
    return CsvLine(Columns());
}

QString CsvRows(const StoredRule& rule)
{
    QString rows;
    for (const BatRuleStruct& e : rule.elements)
        rows += CsvLine({rule.group ? GroupOwner : ItemOwner, rule.number, QString::number(e.FID),
                         QString::number(e.FPropertyID), QString::number(e.FUseShortNumber), e.FFormatDate,
                         e.FSelDefine, QString::number(e.FWidth), e.FCharacter, e.FSubCharacter});
    return rows;
}

QJsonObject JsonOf(const StoredRule& rule)
{
    QJsonArray elements;
    for (const BatRuleStruct& e : rule.elements)
        elements.append(QJsonObject{{"FID", e.FID},
                                    {"FPropertyID", e.FPropertyID},
                                    {"FUseShortNumber", e.FUseShortNumber},
                                    {"FFormatDate", e.FFormatDate},
                                    {"FSelDefine", e.FSelDefine},
                                    {"FWidth", e.FWidth},
                                    {"FCharacter", e.FCharacter},
                                    {"FSubCharacter", e.FSubCharacter}});
    return {{"Owner", rule.group ? GroupOwner : ItemOwner}, {"Number", rule.number}, {"Elements", elements}};
}

Contents ReadCsv(const QString& text)
{
    Contents contents;
    const QChar byteOrderMark(0xfeff);
    const QList<Record> records = Records(text.startsWith(byteOrderMark) ? text.mid(1) : text, contents.problems);
    if (records.isEmpty() || records.first().fields.join(QLatin1Char(',')).compare(Columns().join(QLatin1Char(',')), Qt::CaseInsensitive) != 0) {
        contents.problems.prepend(
            Problem{1, MParse::TranslateFormat(QStringLiteral("第一行应是表头：%1"), {Columns().join(QLatin1Char(','))})});
        return contents;
    }
    for (qsizetype i = 1; i < records.size(); ++i) {
        Row row;
        if (const QString problem = RowOf(records[i], row); !problem.isEmpty())
            contents.problems << Problem{records[i].line, problem};
        else
            contents.rows << row;
    }
    std::stable_sort(contents.problems.begin(), contents.problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return contents;
}

}
