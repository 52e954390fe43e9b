#pragma once

#include "FontCharsets.h"
#include "HostError.h"
#include "HostErrors.h"

#include <QString>
#include <array>

namespace vellbatchrule {

// The ledger grid's printer object: ten header and ten footer lines above
// and below every printed page, each with its text and font, and the
// printer's own print, preview and setup.
class LedgerPrinter {
public:
    struct Font {
        QString name;
        qint32 charset = FontCharsets::Gb2312;
        double size = 9;
        bool bold = false;
        bool underline = false;
    };
    // A line's text is laid out in parts split by "|"; &[日期], &[页] and
    // &[总页] stand for the print date, the page number and the page count.
    struct Line {
        QString text;
        Font font;
    };
    static constexpr int LineCount = 10;

    virtual ~LedgerPrinter() = default;

    // Lines 0 to 9; any other index throws HostError.
    Line& Header(int index) { return At(header_, index); }
    Line& Footer(int index) { return At(footer_, index); }
    const Line& Header(int index) const { return At(const_cast<Lines&>(header_), index); }
    const Line& Footer(int index) const { return At(const_cast<Lines&>(footer_), index); }

    // What went to the printer: no pages when the user chose no printer.
    struct Printed {
        int pages = 0;
        QString printer;
    };
    virtual Printed PrintOut() = 0;
    virtual void PrintPreview() = 0;
    virtual void PrinterSetup() = 0;

private:
    using Lines = std::array<Line, LineCount>;
    static Line& At(Lines& lines, int index)
    {
        if (index < 0 || index >= LineCount)
            throw HostError(HostErrors::SubscriptOutOfRange,
                            QStringLiteral("Subscript out of range: print line %1").arg(index),
                            QStringLiteral("LedgerPrinter"));
        return lines[std::size_t(index)];
    }

    Lines header_, footer_;
};

}
