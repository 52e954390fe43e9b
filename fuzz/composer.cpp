// The composer's formatting of one element: dates, line numbers, serial
// starts, codes, padding and cutting, on any element a stored rule may hold.
#include "BatchNumberComposer.h"
#include "FuzzCheck.h"
#include "HostText.h"
#include "PropertyCatalogue.h"

using namespace vellbatchrule;

namespace {

// Element fields in the order of ICBatchNoRule: FPropertyID|FUseShortNumber|
// FFormatDate|FSelDefine|FWidth|FCharacter|FSubCharacter|, then the
// document: year|month|day|line|value of the property|.
struct Case {
    BatRuleStruct element;
    BatchDocument document;
};

Case CaseOf(vellfuzz::Input& input)
{
    Case c;
    BatRuleStruct& e = c.element;
    e.FID = 1;
    e.FPropertyID = input.NextInt(-1, 30);   // the catalogue's IDs and others a stored rule may hold
    e.FUseShortNumber = input.NextInt(0, 1);
    e.FFormatDate = input.NextText(300);
    e.FSelDefine = input.NextText(300);
    e.FWidth = input.NextInt(-5, 300);
    e.FCharacter = input.NextText(4);
    e.FSubCharacter = input.NextText(4);
    const int year = input.NextInt(1, 9999), month = input.NextInt(1, 12), day = input.NextInt(1, 31);
    c.document.date = QDate(year, month, 1).addDays(day - 1);
    c.document.line = input.NextInt(1, 99999);
    if (const QString value = input.NextText(300); !value.isEmpty())
        c.document.values[e.FPropertyID] = value;
    return c;
}

bool IsNumberKind(qint32 property)
{
    return KindOf(property) == PropertyKind::Serial || KindOf(property) == PropertyKind::LineNumber;
}

bool Carriable(const QString& text)
{
    for (const QChar ch : text)
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"') || HostText::IsControlCharacter(ch))
            return false;
    return true;
}

}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    vellfuzz::Input input(data, size);
    const Case c = CaseOf(input);
    const BatRuleStruct& e = c.element;
    const QString text = BatchNumberComposer::ElementText(e, c.document);
    const QString shown = QStringLiteral("property %1 width %2 → \"%3\"").arg(e.FPropertyID).arg(e.FWidth).arg(text);
    FUZZ_CHECK(Carriable(text), shown);
    FUZZ_CHECK(QStringView(text).isValidUtf16(), shown);   // whole characters, as the document's values are
    if (e.FWidth > 0) {
        FUZZ_CHECK(text.size() <= e.FWidth, shown);
        // A number stands right, filled up or cut to the length; so does a text with a pad character.
        const bool plainPad = e.FCharacter.size() == 1 && e.FCharacter[0].isLetterOrNumber() && e.FCharacter[0].unicode() < 128;
        if (!text.isEmpty() && (IsNumberKind(e.FPropertyID) || plainPad))
            FUZZ_CHECK(text.size() == e.FWidth, shown);
    }
    // Each date pattern gives as many digits as it has letters.
    const QString date = BatchNumberComposer::DateText(c.document.date, e.FFormatDate);
    FUZZ_CHECK(date.size() == e.FFormatDate.size(), date);
    if (e.FWidth == 0 && KindOf(e.FPropertyID) == PropertyKind::LineNumber) {
        const qsizetype zeros = e.FFormatDate.count(QLatin1Char('0'));
        FUZZ_CHECK(text.toInt() == c.document.line && text.size() == std::max(zeros, QString::number(c.document.line).size()), shown);
    }
    const qint64 start = BatchNumberComposer::SerialStart(e.FSelDefine);
    FUZZ_CHECK(start >= 0);
    if (e.FWidth == 0 && KindOf(e.FPropertyID) == PropertyKind::Serial)
        FUZZ_CHECK(text == QString::number(start), shown);
    // A whole rule: the element twice, around a custom one.
    BatRuleStruct custom;
    custom.FID = 2;
    custom.FPropertyID = 24;
    custom.FSelDefine = e.FSelDefine;
    BatRuleStruct last = e;
    last.FID = 3;
    const QString number = BatchNumberComposer::Compose({last, custom, e}, c.document);
    FUZZ_CHECK(number.startsWith(text) && number.endsWith(text) && Carriable(number), number);
    return 0;
}
