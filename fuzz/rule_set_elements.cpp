// The ELEMENT arguments of `rule set`, one a line, typed into the editor's
// grid as the command types them.
#include "FuzzCheck.h"
#include "FuzzSession.h"
#include "HostText.h"
#include "PropertyCatalogue.h"
#include "SpreadConsole.h"
#include "SpreadGridModel.h"

using namespace vellbatchrule;

namespace {

// What a row holds after the editor took its element, whatever was typed.
void CheckRow(const RuleGrid& grid, int row, const QString& element)
{
    const qint32 property = SpreadConsole::RowPropertyID(grid, row);
    FUZZ_CHECK(IsCatalogued(property) && property != PropertyIds::ProjectNumber, element);
    for (int column = RuleGrid::Level; column <= RuleGrid::Substitute; ++column)
        FUZZ_CHECK(!HostText::HasControlCharacter(grid.Text(column, row)), element);
    const QString format = grid.Text(RuleGrid::Format, row);
    const QString length = grid.Text(RuleGrid::Length, row);
    bool whole = false;
    const int width = length.toInt(&whole);
    FUZZ_CHECK(length.isEmpty() || (whole && width >= 0 && width <= 255), element + QStringLiteral(" → ") + length);
    FUZZ_CHECK(grid.Text(RuleGrid::Pad, row).size() <= 1 && grid.Text(RuleGrid::Substitute, row).size() <= 1, element);
    switch (KindOf(property)) {
    case PropertyKind::Date:
        FUZZ_CHECK(format.isEmpty() || SpreadConsole::DateFormats().contains(format), element);
        break;
    case PropertyKind::LineNumber:
        FUZZ_CHECK(format.count(QLatin1Char('0')) == format.size(), element);
        break;
    case PropertyKind::Serial: {
        bool number = false;
        const int start = format.toInt(&number);
        FUZZ_CHECK(format.isEmpty() || (number && start >= 0 && start <= 999999999), element);
        FUZZ_CHECK(grid.Text(RuleGrid::Substitute, row).isEmpty(), element);
        break;
    }
    case PropertyKind::DocumentNumber:
        FUZZ_CHECK(format.isEmpty(), element);
        break;
    case PropertyKind::BaseData:
        FUZZ_CHECK(format.isEmpty() || format == QStringLiteral("长代码") || format == QStringLiteral("短代码"), element);
        break;
    case PropertyKind::Custom:
        FUZZ_CHECK(format.size() <= 200 && length == QString::number(format.size()), element);
        break;
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    static const bool opened = (vellfuzz::OpenSession(), LoadingPropertyList(), true);
    (void)opened;
    const QStringList elements = vellfuzz::Text(data, size).split(QLatin1Char('\n'));
    if (elements.size() > 8)
        return 0;   // `rule set` refuses more levels before it types any
    SpreadGridModel grid;
    SpreadConsole::RebuildRuleRows(grid, QString::number(elements.size()));
    for (int row = 1; row <= elements.size(); ++row) {
        const QString refusal = SpreadConsole::EnterElement(grid, row, elements[row - 1]);
        if (!refusal.isEmpty())
            return 0;   // the command stops at its first refusal
        CheckRow(grid, row, elements[row - 1]);
    }
    return 0;
}
