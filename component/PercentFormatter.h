#pragma once

#include "TextFormatter.h"

namespace vellbatchrule {

// The host's text formatter: "%n" takes the n-th value; a number with no
// value stays as written, so "%10" is never read as "%1" followed by "0".
class PercentFormatter : public TextFormatter {
public:
    QString Format(const QString& pattern, const QStringList& values) override;
};

}
