#include "SpreadCounter.h"

#include <QThread>

namespace vellbatchrule {

SpreadCounter::SpreadCounter() = default;

SpreadCounter::~SpreadCounter()
{
    if (thread_)
        thread_->wait();
}

void SpreadCounter::Start(qint32 groupId, const QString& groupText)
{
    started_ = true;
    thread_.reset(QThread::create([this, groupId, groupText] {
        const std::optional<SpreadDryRun> counts = SpreadDryRun::CountApart(groupId, groupText);
        QMetaObject::invokeMethod(
            this,
            [this, counts] {
                counted_ = true;
                counts_ = counts;
                emit Counted();
            },
            Qt::QueuedConnection);
    }));
    thread_->start();
}

}
