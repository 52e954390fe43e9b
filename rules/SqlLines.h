#pragma once

#include <QString>

namespace vellbatchrule {

// An SQL text built from literal pieces, each followed by CR LF.
class SqlLines {
public:
    SqlLines& operator<<(const QString& piece)
    {
        text_ += piece;
        text_ += QStringLiteral("\r\n");
        return *this;
    }
    SqlLines& operator<<(const SqlLines& lines)
    {
        text_ += lines.text_;
        return *this;
    }
    const QString& Text() const { return text_; }

private:
    QString text_;
};

}
