#include "PercentFormatter.h"

namespace vellbatchrule {

QString PercentFormatter::Format(const QString& pattern, const QStringList& values)
{
    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        qsizetype end = i + 1;
        if (pattern[i] == QLatin1Char('%'))
            while (end < pattern.size() && pattern[end].isDigit())
                ++end;
        const int index = end > i + 1 ? pattern.mid(i + 1, end - i - 1).toInt() : 0;
        if (index >= 1 && index <= values.size())
            out += values[index - 1];
        else
            out += pattern.mid(i, end - i);
        i = end;
    }
    return out;
}

}
