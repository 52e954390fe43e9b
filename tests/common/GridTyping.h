#pragma once

#include "TestSupport.h"
#include "PropertyCatalogue.h"
#include "RuleGrid.h"
#include "SpreadConsole.h"
#include "TextUtil.h"

#include <gtest/gtest.h>

// Puts values into the grid as a user does, failing the test on a refusal.
inline void Type(RuleGrid& grid, int column, int row, const QString& text)
{
    const QString refusal = SpreadConsole::EnterCell(grid, column, row, text);
    ASSERT_TRUE(refusal.isEmpty()) << refusal.toStdString();
}

// Chooses a property in a row by its ID.
inline void Choose(RuleGrid& grid, int row, qint32 propertyId)
{
    Type(grid, RuleGrid::Property, row, TextUtil::ComposeIdText(PropertyName(propertyId), QString::number(propertyId)));
}

// One row: property, then the format, length, pad and substitute given (null: leave).
inline void Row(RuleGrid& grid, int row, qint32 propertyId, const QString& format = QString(),
                const QString& length = QString(), const QString& pad = QString(), const QString& substitute = QString())
{
    Choose(grid, row, propertyId);
    const QString values[] = {format, length, pad, substitute};
    for (int i = 0; i < 4; ++i)
        if (!values[i].isNull())
            Type(grid, RuleGrid::Format + i, row, values[i]);
}
