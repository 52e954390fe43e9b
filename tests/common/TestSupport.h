#pragma once

#include <QString>
#include <QVariant>
#include <gtest/gtest.h>
#include <ostream>

// The tests speak the component's names as its own code does.
namespace vellbatchrule {}
using namespace vellbatchrule;

// Readable failures for Qt values.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QVariant& value, std::ostream* os)
{
    *os << "QVariant(" << value.typeName() << ", \"" << value.toString().toStdString() << "\")";
}

// Lines of a batch in the system's form: each piece followed by CR LF.
inline QString CrLf(std::initializer_list<const char*> lines)
{
    QString text;
    for (const char* line : lines)
        text += QString::fromUtf8(line) + QStringLiteral("\r\n");
    return text;
}
