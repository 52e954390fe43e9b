#pragma once

#include <QString>
#include <QStringList>

namespace vellbatchrule {

class RuleGrid;
class Recordset;

// The rule grid's logic: which cells a row's property opens, locks and
// derives, how a stored element fills a row, and what a user may enter.
namespace SpreadConsole {

const QStringList& DateFormats();
// The property list: every catalogue entry but 项目号, as "name(id)" texts.
QStringList PropertyListText();
// The property chosen in a row; 0 when none is.
qint32 RowPropertyID(const RuleGrid& grid, int row);

// Sets the rows from the level count text; an empty text changes nothing.
void RebuildRuleRows(RuleGrid& grid, const QString& levelText);

void ApplyFormatCell(RuleGrid& grid, qint32 propertyId, int row);
void ApplyLengthCell(RuleGrid& grid, qint32 propertyId, int row);
void ApplyPadCells(RuleGrid& grid, qint32 propertyId, int row);
// The three above, in their order.
void ApplyProperty(RuleGrid& grid, qint32 propertyId, int row);

// Fills one row from the current record of a FetchBatchRule record set.
void LoadRuleElement(RuleGrid& grid, const Recordset& element, int row);

// What follows a user's change of a cell.
void CellChanged(RuleGrid& grid, int column, int row);
// False for a key the active cell must not take (a line-number format takes only 0).
bool AcceptsKey(const RuleGrid& grid, QChar key);
inline constexpr QChar Backspace = QChar(8);

// The refusal of a cell text that holds a control character, or "".
QString ControlCharacterRefusal(int row, const QString& text);

// A value put into a cell as a user puts it there: refused (with the reason,
// in the session's language) when the cell is locked or the value does not
// fit the cell's kind; otherwise written and followed by CellChanged.
QString EnterCell(RuleGrid& grid, int column, int row, const QString& text);

// An element of a rule typed into its row as a user fills the editor, cell
// by cell: "property[:format[:length[:pad[:substitute]]]]", the property by
// catalogue ID or name, a format given in Simplified Chinese taken as the
// language's own item. The first refusal, or "" when every cell took its text.
QString EnterElement(RuleGrid& grid, int row, const QString& element);

}

}
