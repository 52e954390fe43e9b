#pragma once

#include "TestSupport.h"
#include <QString>
#include <Qt>
#include <functional>

class QWidget;
namespace vellbatchrule {
class RuleGrid;
class SpreadGrid;
}

// Shows a window and makes it the active one, so that keys go where the
// keyboard focus is, as on a desktop. False when the window never became active.
bool ShowActive(QWidget& window);

// The keyboard and the mouse of a user at the screen: keys go to whatever
// has the focus, clicks to where they are aimed.
class QAbstractItemView;

namespace User {

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Each character as one key press, or beyond ASCII as an input method's commit.
void Type(const QString& text);
QWidget* Focus();
void Settle();
// Runs `act` on the next modal window once it is open and waiting for the user.
void WhenModalOpens(std::function<void(QWidget*)> act);
// The shown controls of the window the keyboard reaches that a screen reader
// finds no name for, by their object names.
QStringList UnnamedControls(QWidget* window);
// What a screen reader says of a table's current cell: "row 2, 物料名称: 绿茶饮料 500ml".
QString CurrentCellSpoken(QAbstractItemView* table);

}

// The rule grid a spread grid shows.
vellbatchrule::RuleGrid& CellsOf(vellbatchrule::SpreadGrid& grid);

// A user working a spread grid: clicking cells, typing into them, choosing
// from their drop-down lists.
class GridUser {
public:
    explicit GridUser(SpreadGrid& grid) : grid_(grid) {}

    void Click(int column, int row);
    // Click, type, Enter.
    void Enter(int column, int row, const QString& text);
    // Click (and F4 when the click did not open the list), the arrow keys to the item, Enter.
    // False when the list has no such item.
    bool Choose(int column, int row, const QString& item);
    bool ChooseProperty(int row, qint32 propertyId);

private:
    SpreadGrid& grid_;
};
