#include "SqlTrace.h"

#include <QFile>

namespace vellbatchrule {

namespace SqlTrace {

void Append(const QString& batch)
{
    const QString path = qEnvironmentVariable("VELL_SQL_TRACE");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;   // tracing must never stop the batch itself
    file.write(batch.toUtf8());
    if (!batch.endsWith(QLatin1Char('\n')))
        file.write("\r\n");   // the separator stands on a line of its own
    file.write(Separator.toUtf8());
}

}

}
