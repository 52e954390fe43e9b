#include "SpreadConsole.h"

#include "HostText.h"
#include "MParse.h"
#include "PropertyCatalogue.h"
#include "Recordset.h"
#include "RuleGrid.h"
#include "TextUtil.h"

using namespace Qt::StringLiterals;

namespace vellbatchrule {

namespace SpreadConsole {

namespace {

using Format = RuleGrid::CellFormat;
using Kind = RuleGrid::CellKind;

constexpr int kMaxLevelLength = 255;
constexpr int kMaxCustomText = 200;   // no rule is longer
constexpr int kMaxSerialFormat = 999999999;

Format FreeText(int maxLength = 0)
{
    return {Kind::FreeText, maxLength, 0, 0, {}};
}

Format WholeNumber(int minimum, int maximum)
{
    return {Kind::WholeNumber, 0, minimum, maximum, {}};
}

Format DropDown(const QStringList& items)
{
    return {Kind::DropDown, 0, 0, 0, items};
}

QStringList CodeLengths()
{
    return {MParse::TranslateText("长代码"), MParse::TranslateText("短代码")};
}

void Clear(RuleGrid& grid, int column, int row)
{
    grid.SetText(column, row, QString());
}

// The property list's item of a property, or "" when the list does not offer it (not every catalogued one is there).
QString PropertyItem(const QString& given)
{
    if (const qint32 id = PropertyIdOf(given); id > 0)
        for (const QString& item : PropertyListText())
            if (TextUtil::IdOfText(item).toInt() == id)
                return item;
    return QString();
}

QString FormatItem(const RuleGrid& grid, int row, const QString& given)
{
    const QStringList items = grid.CellFormatOf(RuleGrid::Format, row).items;
    for (const QString& item : items)
        if (item.compare(given, Qt::CaseInsensitive) == 0)
            return item;
    const QString translated = MParse::TranslateText(given);
    return items.contains(translated) ? translated : given;
}

}

const QStringList& DateFormats()
{
    static const QStringList formats{u"yyyy/mm/dd"_s, u"mm/dd/yy"_s, u"yy/mm/dd"_s, u"yyyy-mm-dd"_s, u"mm-dd-yy"_s,
                                     u"yy-mm-dd"_s,   u"yyyymmdd"_s, u"mmddyy"_s,   u"yymmdd"_s,     u"yyyy/mm"_s,
                                     u"yy/mm"_s,      u"yyyy-mm"_s,  u"yy-mm"_s,    u"yyyymm"_s,     u"yymm"_s};
    return formats;
}

QStringList PropertyListText()
{
    QStringList items;
    for (const qint32 id : CataloguedIds())
        if (id != PropertyIds::ProjectNumber)
            items.append(TextUtil::ComposeIdText(PropertyName(id), QString::number(id)));
    return items;
}

qint32 RowPropertyID(const RuleGrid& grid, int row)
{
    const QString text = HostText::TrimBlanks(grid.Text(RuleGrid::Property, row));
    return text.isEmpty() ? 0 : HostText::RoundToLong(HostText::Val(TextUtil::IdOfText(text)));
}

void RebuildRuleRows(RuleGrid& grid, const QString& levelText)
{
    const int rows = HostText::RoundToLong(HostText::Val(levelText));
    if (rows < 1)
        return;   // the level box is being retyped
    const int before = grid.RowCount();
    grid.SetRowCount(rows);
    const QStringList properties = PropertyListText();
    for (int row = 1; row <= rows; ++row) {
        grid.SetText(RuleGrid::Level, row, QString::number(row));
        grid.SetLocked(RuleGrid::Level, row, true);   // the editor numbers the levels itself
        grid.SetCellFormat(RuleGrid::Property, row, DropDown(properties));
        // A row without a property takes the cells of a new row; chosen rows keep theirs.
        if (row > before || grid.Text(RuleGrid::Property, row).isEmpty()) {
            grid.SetCellFormat(RuleGrid::Format, row, FreeText());
            grid.SetCellFormat(RuleGrid::Length, row, WholeNumber(1, kMaxLevelLength));
            grid.SetCellFormat(RuleGrid::Pad, row, FreeText(1));
            grid.SetCellFormat(RuleGrid::Substitute, row, FreeText(1));
        }
    }
}

void ApplyFormatCell(RuleGrid& grid, qint32 propertyId, int row)
{
    const int c = RuleGrid::Format;
    switch (KindOf(propertyId)) {
    case PropertyKind::BaseData:
        grid.SetCellFormat(c, row, DropDown(CodeLengths()));
        break;
    case PropertyKind::DocumentNumber:
        grid.SetCellFormat(c, row, FreeText());
        break;
    case PropertyKind::Date:
        grid.SetCellFormat(c, row, DropDown(DateFormats()));
        break;
    case PropertyKind::Custom:
        grid.SetCellFormat(c, row, FreeText(kMaxCustomText));
        break;
    case PropertyKind::LineNumber:
        grid.SetCellFormat(c, row, FreeText(kMaxLevelLength));
        break;
    case PropertyKind::Serial:
        grid.SetCellFormat(c, row, WholeNumber(0, kMaxSerialFormat));
        break;
    }
    const bool lineNumber = KindOf(propertyId) == PropertyKind::LineNumber;
    grid.SetText(c, row, lineNumber ? QStringLiteral("00") : QString());
    grid.SetLocked(c, row, KindOf(propertyId) == PropertyKind::DocumentNumber);
}

void ApplyLengthCell(RuleGrid& grid, qint32 propertyId, int row)
{
    const int c = RuleGrid::Length;
    switch (KindOf(propertyId)) {
    case PropertyKind::BaseData:
    case PropertyKind::DocumentNumber:
        Clear(grid, c, row);
        grid.SetLocked(c, row, false);
        break;
    case PropertyKind::Date:
    case PropertyKind::Custom:
    case PropertyKind::LineNumber:
        grid.SetLocked(c, row, true);
        grid.SetText(c, row, QString::number(grid.Text(RuleGrid::Format, row).size()));
        break;
    case PropertyKind::Serial:
        grid.SetLocked(c, row, false);
        break;
    }
}

void ApplyPadCells(RuleGrid& grid, qint32 propertyId, int row)
{
    const PropertyKind kind = KindOf(propertyId);
    Clear(grid, RuleGrid::Pad, row);
    grid.SetLocked(RuleGrid::Pad, row, kind != PropertyKind::BaseData && kind != PropertyKind::DocumentNumber);
    if (kind == PropertyKind::Serial) {
        Clear(grid, RuleGrid::Substitute, row);
        grid.SetLocked(RuleGrid::Substitute, row, true);
    } else {
        // A row that was a serial number before may take a substitute again.
        grid.SetLocked(RuleGrid::Substitute, row, false);
    }
}

void ApplyProperty(RuleGrid& grid, qint32 propertyId, int row)
{
    ApplyFormatCell(grid, propertyId, row);
    ApplyLengthCell(grid, propertyId, row);
    ApplyPadCells(grid, propertyId, row);
}

void LoadRuleElement(RuleGrid& grid, const Recordset& element, int row)
{
    const qint32 property = element.Field(QStringLiteral("FPropertyID")).toInt();
    ApplyProperty(grid, property, row);
    grid.SetText(RuleGrid::Level, row, element.Field(QStringLiteral("FID")).toString());
    grid.SetText(RuleGrid::Property, row, TextUtil::ComposeIdText(PropertyName(property), QString::number(property)));
    QString format;
    switch (KindOf(property)) {
    case PropertyKind::BaseData:
        format = CodeLengths().value(element.Field(QStringLiteral("FUseShortNumber")).toInt() == 0 ? 0 : 1);
        break;
    case PropertyKind::Date:
    case PropertyKind::LineNumber:
        format = element.Field(QStringLiteral("FFormatDate")).toString();
        break;
    case PropertyKind::Custom:
    case PropertyKind::Serial:
        format = element.Field(QStringLiteral("FSelDefine")).toString();
        break;
    case PropertyKind::DocumentNumber:
        break;
    }
    grid.SetText(RuleGrid::Format, row, format);
    grid.SetText(RuleGrid::Length, row, element.Field(QStringLiteral("FWidth")).toString());
    grid.SetText(RuleGrid::Pad, row, HostText::TrimBlanks(element.Field(QStringLiteral("FCharacter")).toString()));
    grid.SetText(RuleGrid::Substitute, row,
                 HostText::TrimBlanks(element.Field(QStringLiteral("FSubCharacter")).toString()));
}

void CellChanged(RuleGrid& grid, int column, int row)
{
    if (HostText::TrimBlanks(grid.Text(RuleGrid::Property, row)).isEmpty())
        return;
    if (column == RuleGrid::Property)
        ApplyProperty(grid, RowPropertyID(grid, row), row);
    else if (column == RuleGrid::Format)
        ApplyLengthCell(grid, RowPropertyID(grid, row), row);
}

bool AcceptsKey(const RuleGrid& grid, QChar key)
{
    const int row = grid.ActiveRow();
    if (grid.ActiveColumn() != RuleGrid::Format || row < 1 || row > grid.RowCount()
        || RowPropertyID(grid, row) != PropertyIds::LineNumber)
        return true;
    return key == QLatin1Char('0') || key == Backspace;
}

QString ControlCharacterRefusal(int row, const QString& text)
{
    if (!HostText::HasControlCharacter(text))
        return QString();
    return MParse::TranslateFormat("第%1级的“%2”含有换行、制表符等控制字符，批号中不能使用，请重新设置",
                                   {row, HostText::Excerpt(text)});
}

QString EnterCell(RuleGrid& grid, int column, int row, const QString& text)
{
    auto refuse = [&](const char* why) {
        return MParse::TranslateFormat(why, {row, HostText::Excerpt(text)});
    };
    if (const QString refusal = ControlCharacterRefusal(row, text); !refusal.isEmpty())
        return refusal;
    if (grid.IsLocked(column, row))
        return text == grid.Text(column, row) ? QString() : refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "第%1级的这一格由属性决定，不能输入“%2”"));
    const Format format = grid.CellFormatOf(column, row);
    if (format.kind == Kind::DropDown && !text.isEmpty() && !format.items.contains(text))
        return refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "第%1级没有“%2”这一选项"));
    if (format.kind == Kind::WholeNumber && !text.isEmpty()) {
        bool ok = false;
        const int number = text.toInt(&ok);
        if (!ok || number < format.minimum || number > format.maximum)
            return refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "第%1级的“%2”不是允许的整数"));
    }
    if (format.kind == Kind::FreeText && format.maxLength > 0 && text.size() > format.maxLength)
        return refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "第%1级的“%2”太长"));
    grid.SetActiveCell(column, row);
    for (const QChar key : text)
        if (!AcceptsKey(grid, key))
            return refuse(QT_TRANSLATE_NOOP("VEZAROZIVADA", "第%1级的行号格式只能由0组成，不能是“%2”"));
    grid.SetText(column, row, text);
    CellChanged(grid, column, row);
    return QString();
}

QString EnterElement(RuleGrid& grid, int row, const QString& element)
{
    const QStringList parts = element.split(QLatin1Char(':'));
    if (parts.size() > 5)
        return MParse::TranslateFormat("第%1级的“%2”多于五项：属性:格式:长度:补位符:替换符", {row, HostText::Excerpt(element)});
    const QString property = parts[0].trimmed();
    const QString item = PropertyItem(property);
    if (item.isEmpty())
        return MParse::TranslateFormat("第%1级的属性“%2”不在属性列表中", {row, HostText::Excerpt(property)});
    if (const QString refusal = EnterCell(grid, RuleGrid::Property, row, item); !refusal.isEmpty())
        return refusal;
    for (int i = 1; i < 5; ++i) {
        const int column = RuleGrid::Format + i - 1;
        QString text;
        if (i < parts.size())
            text = i == 1 ? FormatItem(grid, row, parts[i]) : parts[i];
        else if (column != RuleGrid::Substitute || grid.IsLocked(column, row))
            continue;   // nothing given: the cell keeps what the property put there, but no substitute
        if (const QString refusal = EnterCell(grid, column, row, text); !refusal.isEmpty())
            return refusal;
    }
    return QString();
}

}

}
