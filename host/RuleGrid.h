#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace vellbatchrule {

// The rule grid as the editor logic and the save engine use it: six columns,
// one row per level, every cell with its text, kind and lock flag. Columns
// and rows count from 1; row 0 holds the column headers (text only).
class RuleGrid {
public:
    enum Column { Level = 1, Property, Format, Length, Pad, Substitute };
    static constexpr int ColumnCount = 6;
    // What a view reads of a cell beside its text.
    enum Role { FormatRole = Qt::UserRole + 1, LockedRole };

    enum class CellKind { FreeText, WholeNumber, DropDown };
    struct CellFormat {
        CellKind kind = CellKind::FreeText;
        int maxLength = 0;     // free text; 0 is no limit
        int minimum = 0;       // whole number
        int maximum = 0;
        QStringList items;     // drop-down list, in order
    };

    virtual ~RuleGrid() = default;

    virtual int RowCount() const = 0;
    // Rows that stay keep their contents; new rows come empty.
    virtual void SetRowCount(int rows) = 0;

    // Row 0 is the header row.
    virtual QString Text(int column, int row) const = 0;
    // The editor's own writes: no cell-changed notification follows.
    virtual void SetText(int column, int row, const QString& text) = 0;
    // Drop-down: position of the chosen item from 0 (-1 when none);
    // whole number: the number; free text: the text.
    virtual QVariant Value(int column, int row) const = 0;

    virtual CellFormat CellFormatOf(int column, int row) const = 0;
    virtual void SetCellFormat(int column, int row, const CellFormat& format) = 0;
    virtual bool IsLocked(int column, int row) const = 0;
    virtual void SetLocked(int column, int row, bool locked) = 0;

    virtual void SetFocus() = 0;
    virtual void SetActiveCell(int column, int row) = 0;
    virtual int ActiveColumn() const = 0;
    virtual int ActiveRow() const = 0;

    // Value of a cell with this text and format, as Value answers it.
    static QVariant ValueOf(const QString& text, const CellFormat& format);
};

}
