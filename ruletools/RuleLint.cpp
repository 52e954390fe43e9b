#include "RuleLint.h"

#include "BatRuleEditor.h"
#include "BatRuleSave.h"
#include "BatchNumberComposer.h"
#include "HostText.h"
#include "MParse.h"
#include "PropertyCatalogue.h"
#include "RuleGrid.h"
#include "SpreadConsole.h"

#include <algorithm>
#include <cmath>

namespace vellbatchrule {

namespace RuleLint {

namespace {

constexpr int kWidestCountedSerial = 18;   // 10^18 still fits a 64-bit count

enum class Period { None, Year, Month, Day };

// "dd" or "DD" and the like, in either case: ASCII only, as the date formats are.
bool HasLetterPair(QStringView format, char16_t lower)
{
    for (qsizetype i = 1; i < format.size(); ++i)
        if ((format[i - 1].unicode() | 0x20) == lower && (format[i].unicode() | 0x20) == lower)
            return true;
    return false;
}

Period PeriodOf(const QString& dateFormat)
{
    if (HasLetterPair(dateFormat, u'd'))
        return Period::Day;
    if (HasLetterPair(dateFormat, u'm'))
        return Period::Month;
    return Period::Year;
}

// What TrimBlanks would leave empty, without making the trimmed text.
bool IsBlank(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

// The cell refusals of the save engine that a stored element already earns.
QStringList MissingCells(int level, const BatRuleStruct& e)
{
    QList<int> missing;
    const PropertyKind kind = KindOf(e.FPropertyID);
    const bool typedLength = kind == PropertyKind::BaseData || kind == PropertyKind::DocumentNumber;
    const QString format = kind == PropertyKind::Date ? e.FFormatDate : e.FSelDefine;
    if (e.FPropertyID <= 0)
        missing << RuleGrid::Property;
    else if ((kind == PropertyKind::Date || kind == PropertyKind::Custom || kind == PropertyKind::Serial)
             && IsBlank(format))
        missing << RuleGrid::Format;
    if ((typedLength || kind == PropertyKind::Serial) && e.FWidth <= 0)
        missing << RuleGrid::Length;
    if (typedLength && IsBlank(e.FCharacter))
        missing << RuleGrid::Pad;
    QStringList refusals;
    for (const int column : std::as_const(missing))   // a non-const empty list would allocate to be walked
        refusals << BatRuleSave::MissingCellRefusal(level, column);
    return refusals;
}

}

QString Linter::CapacityText(int level, const BatRuleStruct& serial, int period)
{
    const auto key = std::make_tuple(level, serial.FWidth, serial.FSelDefine, period);
    if (const auto kept = capacityTexts_.find(key); kept != capacityTexts_.end())
        return kept->second;
    const qint64 start = BatchNumberComposer::SerialStart(serial.FSelDefine);
    const qint64 capacity = std::max<qint64>(0, qint64(std::pow(10.0, serial.FWidth)) - start);
    const char* pattern = Period(period) == Period::Day     ? QT_TRANSLATE_NOOP("VEZAROZIVADA", "第%1级的流水号长%2位，每天最多%3个批次")
                          : Period(period) == Period::Month ? QT_TRANSLATE_NOOP("VEZAROZIVADA", "第%1级的流水号长%2位，每月最多%3个批次")
                          : Period(period) == Period::Year  ? QT_TRANSLATE_NOOP("VEZAROZIVADA", "第%1级的流水号长%2位，每年最多%3个批次")
                                                            : QT_TRANSLATE_NOOP("VEZAROZIVADA", "第%1级的流水号长%2位，规则中没有日期，总共最多%3个批次");
    return capacityTexts_[key] = MParse::TranslateFormat(pattern, {level, serial.FWidth, capacity});
}

// Every material whose code is too long earns one: the pattern is translated once.
QString Linter::LongCodeText(int level, const QString& code, int length)
{
    if (longCodePattern_.isNull())
        longCodePattern_ = MParse::TranslateText("第%1级的物料代码%2有%3个字符，长于该级的长度%4，批号中只留前%4个");
    return MParse::FormatTranslated(longCodePattern_, {QString::number(level), HostText::Excerpt(code),
                                                       QString::number(code.size()), QString::number(length)});
}

QList<Finding> Check(const QList<BatRuleStruct>& elements, const QString& materialNumber)
{
    return Linter().Check(elements, materialNumber);
}

QList<Finding> Linter::Check(const QList<BatRuleStruct>& elements, const QString& materialNumber)
{
    QList<Finding> findings;
    auto add = [&](Severity severity, const QString& text) {
        if (findings.isEmpty())
            findings.reserve(2);   // most rules earn a note, many a warning besides
        findings.append({severity, text});
    };
    if (elements.isEmpty())
        return findings;
    if (elements.size() > BatRuleEditor::MaxLevels)
        add(Severity::Error, BatRuleEditor::LevelCountRefusal());
    qint64 total = 0;
    int serials = 0;
    bool hasDate = false;
    Period period = Period::None;
    for (qsizetype i = 0; i < elements.size(); ++i) {
        const int level = int(i + 1);
        const BatRuleStruct& e = elements[i];
        if (e.FPropertyID > 0 && !IsCatalogued(e.FPropertyID))
            add(Severity::Error, MParse::TranslateFormat("第%1级的属性%2不在属性目录中，单据无法提供它",
                                                         {level, e.FPropertyID}));
        const QStringList refusals = MissingCells(level, e);
        for (const QString& refusal : refusals)
            add(Severity::Error, refusal);
        for (const QString* text : {&e.FFormatDate, &e.FSelDefine, &e.FCharacter, &e.FSubCharacter})
            if (!text->isEmpty() && HostText::HasControlCharacter(*text))
                add(Severity::Error, SpreadConsole::ControlCharacterRefusal(level, *text));
        total += e.FWidth;
        const PropertyKind kind = KindOf(e.FPropertyID);
        if (kind == PropertyKind::Date) {
            hasDate = true;
            period = std::max(period, PeriodOf(e.FFormatDate));
        }
        if (kind == PropertyKind::Serial) {
            ++serials;
            if (e.FWidth < e.FSelDefine.size())
                add(Severity::Error, BatRuleEditor::SerialLengthRefusal(e.FSelDefine.size()));
        }
    }
    if (total > BatRuleEditor::MaxTotalLength)
        add(Severity::Error, BatRuleEditor::TotalLengthRefusal());
    if (serials > 1)
        add(Severity::Error, BatRuleEditor::SerialOnceRefusal());
    if (!hasDate && serials == 0)
        add(Severity::Warning, MParse::TranslateText("规则中既没有日期也没有流水号，同一张单据的各批次会得到相同的批号"));
    for (qsizetype i = 0; i < elements.size(); ++i) {
        const BatRuleStruct& e = elements[i];
        const int level = int(i + 1);
        if (e.FPropertyID == PropertyIds::MaterialCode && !materialNumber.isEmpty() && e.FWidth > 0) {
            const QString code = e.FUseShortNumber == 1 ? BatchNumberComposer::ShortCode(materialNumber) : materialNumber;
            if (code.size() > e.FWidth)
                add(Severity::Warning, LongCodeText(level, code, e.FWidth));
        }
        if (KindOf(e.FPropertyID) == PropertyKind::Serial && e.FWidth > 0 && e.FWidth <= kWidestCountedSerial)
            add(Severity::Note, CapacityText(level, e, int(period)));
    }
    return findings;
}

QString SeverityText(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return MParse::TranslateText("错误");
    case Severity::Warning:
        return MParse::TranslateText("警告");
    case Severity::Note:
        break;
    }
    return MParse::TranslateText("提示");
}

}

}
