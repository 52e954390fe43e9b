#include "PercentFormatter.h"

#include <algorithm>

namespace vellbatchrule {

QString PercentFormatter::Format(const QString& pattern, const QStringList& values)
{
    const QStringView text(pattern);
    qsizetype valueSizes = 0;
    for (const QString& value : values)
        valueSizes += value.size();
    QString out;
    out.reserve(pattern.size() + 2 * valueSizes);   // most patterns use each value once, some twice
    qsizetype copied = 0;   // the pattern before this is in `out`
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        qsizetype end = i + 1;
        qint64 index = 0;
        for (; end < text.size() && text[end] >= u'0' && text[end] <= u'9'; ++end)
            index = std::min<qint64>(index * 10 + (text[end].unicode() - u'0'), values.size() + 1);
        if (index < 1 || index > values.size())
            continue;   // kept as written
        out += text.sliced(copied, i - copied);
        out += values[index - 1];
        copied = end;
        i = end - 1;
    }
    out += text.sliced(copied);
    return out;
}

}
