// What `rule export` writes, CSV or JSON, reads back as the rule it was.
#include "FuzzCheck.h"
#include "RuleFile.h"
#include "StoredRules.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>

using namespace vellbatchrule;

namespace {

// A stored rule as the input builds it: owner, number, then the elements'
// columns; every text within the 200 characters a rule keeps.
StoredRule RuleOf(vellfuzz::Input& input)
{
    StoredRule rule;
    rule.group = input.NextInt(0, 1) == 1;
    rule.number = input.NextText(200);
    const int count = input.NextInt(1, 8);
    for (int i = 0; i < count; ++i) {
        BatRuleStruct e;
        e.FID = input.NextInt(-1000000, 1000000);
        e.FPropertyID = input.NextInt(-100, 100);
        e.FUseShortNumber = input.NextInt(-2, 2);
        e.FFormatDate = input.NextText(200);
        e.FSelDefine = input.NextText(200);
        e.FWidth = input.NextInt(-1000, 1000);
        e.FCharacter = input.NextText(200);
        e.FSubCharacter = input.NextText(200);
        rule.elements << e;
    }
    return rule;
}

bool Same(const BatRuleStruct& a, const BatRuleStruct& b)
{
    return a.FID == b.FID && a.FPropertyID == b.FPropertyID && a.FUseShortNumber == b.FUseShortNumber
           && a.FFormatDate == b.FFormatDate && a.FSelDefine == b.FSelDefine && a.FWidth == b.FWidth
           && a.FCharacter == b.FCharacter && a.FSubCharacter == b.FSubCharacter;
}

void CsvReadsBack(const StoredRule& rule)
{
    QByteArray file = (RuleFile::CsvHeader() + RuleFile::CsvRows(rule)).toUtf8();
    QBuffer device(&file);
    device.open(QIODevice::ReadOnly);
    RuleFile::Reader reader(device, 8);
    QList<RuleFile::Row> rows;
    const auto outcome = reader.Read([&](RuleFile::Row& row) { rows << row; });
    FUZZ_CHECK(outcome == RuleFile::Reader::Outcome::Read, QString::fromUtf8(file));
    FUZZ_CHECK(reader.Problems().isEmpty(), reader.Problems().value(0).message + QStringLiteral("\n") + QString::fromUtf8(file));
    FUZZ_CHECK(rows.size() == rule.elements.size(), QString::fromUtf8(file));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        FUZZ_CHECK(rows[i].group == rule.group && rows[i].number == rule.number, QString::fromUtf8(file));
        FUZZ_CHECK(Same(rows[i].element, rule.elements[i]), QString::fromUtf8(file));
    }
}

void JsonReadsBack(const StoredRule& rule)
{
    const QByteArray text = QJsonDocument(RuleFile::JsonOf(rule)).toJson();
    QJsonParseError error;
    const QJsonObject read = QJsonDocument::fromJson(text, &error).object();
    FUZZ_CHECK(error.error == QJsonParseError::NoError, error.errorString());
    const QStringList& key = RuleFile::Columns();
    FUZZ_CHECK(read[key[0]].toString() == (rule.group ? RuleFile::GroupOwner : RuleFile::ItemOwner));
    FUZZ_CHECK(read[key[1]].toString() == rule.number, QString::fromUtf8(text));
    const QJsonArray elements = read[QStringLiteral("Elements")].toArray();
    FUZZ_CHECK(elements.size() == rule.elements.size());
    for (qsizetype i = 0; i < elements.size(); ++i) {
        const QJsonObject o = elements[i].toObject();
        BatRuleStruct e;
        e.FID = o[key[2]].toInt(-1);
        e.FPropertyID = o[key[3]].toInt(-1);
        e.FUseShortNumber = o[key[4]].toInt(-1);
        e.FFormatDate = o[key[5]].toString();
        e.FSelDefine = o[key[6]].toString();
        e.FWidth = o[key[7]].toInt(-1);
        e.FCharacter = o[key[8]].toString();
        e.FSubCharacter = o[key[9]].toString();
        FUZZ_CHECK(Same(e, rule.elements[i]), QString::fromUtf8(text));
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    vellfuzz::Input input(data, size);
    const StoredRule rule = RuleOf(input);
    CsvReadsBack(rule);
    JsonReadsBack(rule);
    return 0;
}
