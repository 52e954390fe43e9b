#include "OutputFile.h"

#include <QFileInfo>

namespace vellbatchrule {

OutputFile::OutputFile(const QString& path)
    : straight_(QFileInfo::exists(path) && !QFileInfo(path).isFile()), whole_(path), device_(path)
{
}

bool OutputFile::Open()
{
    return straight_ ? device_.open(QIODevice::WriteOnly) : whole_.open(QIODevice::WriteOnly);
}

QIODevice& OutputFile::Device()
{
    return straight_ ? static_cast<QIODevice&>(device_) : whole_;
}

bool OutputFile::Commit()
{
    if (!straight_) {
        // QSaveFile notices a failed write but not a failed flush of what it buffered: ask before it renames.
        if (!whole_.flush() || whole_.size() != whole_.pos()) {
            failure_ = whole_.errorString();
            whole_.cancelWriting();
            return false;
        }
        return whole_.commit();
    }
    const bool flushed = device_.flush() && device_.error() == QFileDevice::NoError;
    device_.close();
    return flushed && device_.error() == QFileDevice::NoError;
}

QString OutputFile::ErrorString() const
{
    if (!failure_.isEmpty())
        return failure_;
    return straight_ ? device_.errorString() : whole_.errorString();
}

}
