#include "ComponentResources.h"

#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

namespace vellbatchrule {

QString ComponentResourceDir()
{
    Dl_info self{};
    if (!dladdr(reinterpret_cast<void*>(&ComponentResourceDir), &self) || !self.dli_fname)
        return QString();
    const QDir libraryDir = QFileInfo(QString::fromLocal8Bit(self.dli_fname)).absoluteDir();
    if (libraryDir.exists(QStringLiteral("translations")))
        return libraryDir.absolutePath();
    return QDir::cleanPath(libraryDir.filePath(QStringLiteral(VELL_DATA_FROM_LIBRARY)));
}

}
