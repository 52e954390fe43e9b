#include "TextUtil.h"

namespace vellbatchrule {

namespace TextUtil {

QString ComposeIdText(const QString& name, const QString& id)
{
    return name + QLatin1Char('(') + id + QLatin1Char(')');
}

QString IdOfText(const QString& text)
{
    // The ID is the last parenthesised group, so a name holding "(" still reads back.
    const QString trimmed = text.trimmed();
    if (!trimmed.endsWith(QLatin1Char(')')))
        return QStringLiteral("0");
    const qsizetype open = trimmed.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return QStringLiteral("0");
    bool ok = false;
    const qint32 id = trimmed.mid(open + 1, trimmed.size() - open - 2).toInt(&ok);
    return ok ? QString::number(id) : QStringLiteral("0");
}

}

}
