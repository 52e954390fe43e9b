#include "RuleGrid.h"

#include "HostText.h"

namespace vellbatchrule {

QVariant RuleGrid::ValueOf(const QString& text, const CellFormat& format)
{
    switch (format.kind) {
    case CellKind::DropDown:
        return int(format.items.indexOf(text));
    case CellKind::WholeNumber:
        return HostText::Val(text);
    case CellKind::FreeText:
        break;
    }
    return text;
}

}
