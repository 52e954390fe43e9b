#include "BatRulePrint.h"

#include "HostError.h"
#include "HostErrors.h"
#include "Ledger.h"
#include "MParse.h"

namespace vellbatchrule {

namespace {

const QString kThirtySpaces(30, QLatin1Char(' '));

// The language's font, looked up anew for every value as the printer is set.
QString FontName()
{
    return MParse::GetFontProps().Get(QStringLiteral("Font.Name"), MParse::DefaultFontName).toString();
}

qint32 FontCharset()
{
    return MParse::GetFontProps().Get(QStringLiteral("Font.Charset"), MParse::DefaultFontCharset).toInt();
}

// Footer lines keep the character set the print fonts gave them.
enum class Charset { Set, Kept };

void SetLine(LedgerPrinter::Line& line, const QString& text, double size, Charset charset)
{
    line.text = text;
    line.font.name = FontName();
    if (charset == Charset::Set)
        line.font.charset = FontCharset();
    line.font.size = size;
}

}

void BatRulePrint::SetLdgLayout()
{
    if (!ledger_)
        throw HostError(HostErrors::ObjectNotSet, QStringLiteral("No ledger is set to print"),
                        QStringLiteral("BatRulePrint"));
    MParse::SetLedgerPrintFonts(*ledger_);
    SetPrintHeader();
    ledger_->SetGridFont(GridFont());
    SetPrintFooter();
}

QString BatRulePrint::GroupTitle(const QString& groupText)
{
    return MParse::TranslateFormat("物料组：%1", {groupText});
}

LedgerPrinter::Font BatRulePrint::GridFont()
{
    return {FontName(), FontCharset(), 9, false, false};
}

void BatRulePrint::SetPrintHeader()
{
    LedgerPrinter& printer = ledger_->Printer();
    LedgerPrinter::Line& title = printer.Header(1);
    SetLine(title, masterTitle_, 16, Charset::Set);
    title.font.bold = true;
    title.font.underline = true;
    SetLine(printer.Header(2), kThirtySpaces, 9, Charset::Set);
    SetLine(printer.Header(3), slaveTitle_ + MParse::TranslateText("|打印日期：&[日期]"), 9, Charset::Set);
}

void BatRulePrint::SetPrintFooter()
{
    LedgerPrinter& printer = ledger_->Printer();
    SetLine(printer.Footer(1), kThirtySpaces, 9, Charset::Kept);
    SetLine(printer.Footer(2),
            MParse::TranslateText("第 &[页] 页") + MParse::TranslateText("|共 &[总页] 页"), 9,
            Charset::Kept);
}

}
