#include "GridUser.h"

#include <QInputMethodEvent>

#include <QAccessible>

#include "PropertyCatalogue.h"
#include "RuleGrid.h"
#include "SpreadGrid.h"
#include "TextUtil.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QtTest/QTest>

bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

vellbatchrule::RuleGrid& CellsOf(vellbatchrule::SpreadGrid& grid)
{
    return dynamic_cast<vellbatchrule::RuleGrid&>(*grid.model());
}

namespace User {

QWidget* Focus()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
}

// What the event loop does between two keys (an editor commits after Enter, a button clicks after its shortcut).
void Settle()
{
    QCoreApplication::processEvents();
}

void WhenModalOpens(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(10, [act = std::move(act)]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible())
            act(modal);
        else
            WhenModalOpens(std::move(act));
    });
}

QStringList UnnamedControls(QWidget* window)
{
    QStringList unnamed;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        while (control->focusProxy())
            control = control->focusProxy();   // where the keyboard lands
        if (!control->isVisible() || control->isWindow() || !(control->focusPolicy() & Qt::TabFocus))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << control->objectName() + "(" + control->metaObject()->className() + ")";
    }
    return unnamed;
}

QString CurrentCellSpoken(QAbstractItemView* table)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(table);
    const QModelIndex current = table->currentIndex();
    if (!accessible || !accessible->tableInterface() || !current.isValid())
        return QString();
    QAccessibleInterface* cell = accessible->tableInterface()->cellAt(current.row(), current.column());
    if (!cell || !cell->tableCellInterface())
        return QString();
    // The header cells are made for the caller, who owns them (a screen reader's bridge asks the same).
    const QList<QAccessibleInterface*> captions = cell->tableCellInterface()->columnHeaderCells();
    const QString spoken = QStringLiteral("row %1, %2: %3")
                               .arg(cell->tableCellInterface()->rowIndex() + 1)
                               .arg(captions.isEmpty() ? QString() : captions.first()->text(QAccessible::Name),
                                    cell->text(QAccessible::Name));
    for (QAccessibleInterface* caption : captions)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(caption));
    return spoken;
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(Focus(), key, modifiers);
    Settle();
}

void Type(const QString& text)
{
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(Focus(), character.toLatin1());
        } else {   // as an input method commits what it composed
            QInputMethodEvent committed;
            committed.setCommitString(QString(character));
            QApplication::sendEvent(Focus(), &committed);
        }
        Settle();
    }
}

}

void GridUser::Click(int column, int row)
{
    const QModelIndex index = grid_.model()->index(row - 1, column - 1);
    grid_.scrollTo(index);
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, Qt::NoModifier, grid_.visualRect(index).center());
    User::Settle();
}

void GridUser::Enter(int column, int row, const QString& text)
{
    Click(column, row);
    User::Type(text);
    User::Press(Qt::Key_Enter);
}

bool GridUser::Choose(int column, int row, const QString& item)
{
    Click(column, row);
    auto list = [&] { return qobject_cast<QComboBox*>(grid_.indexWidget(grid_.model()->index(row - 1, column - 1))); };
    if (!list() || !list()->view()->isVisible())   // a click on the active list cell opens it already
        User::Press(Qt::Key_F4);
    if (!list() || !list()->view()->isVisible())
        return false;
    const int target = list()->findText(item, Qt::MatchExactly);
    if (target < 0)
        return false;
    QAbstractItemView* view = list()->view();
    QTest::keyClick(view, Qt::Key_Home);
    for (int step = 0; step < list()->count() && view->currentIndex().row() < target; ++step)
        QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Enter);
    User::Settle();
    return true;
}

bool GridUser::ChooseProperty(int row, qint32 propertyId)
{
    return Choose(2, row, TextUtil::ComposeIdText(PropertyName(propertyId), QString::number(propertyId)));
}
