#pragma once

#include "SpreadDryRun.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QThread;

namespace vellbatchrule {

// The editor's spread line counted apart: a group may hold every material,
// so the count runs on a thread with its own connection and its answer
// comes back to the thread that started it.
class SpreadCounter : public QObject {
    Q_OBJECT
public:
    SpreadCounter();
    // Waits for a count still running; its answer is dropped.
    ~SpreadCounter() override;

    void Start(qint32 groupId, const QString& groupText);
    bool Started() const { return started_; }
    bool Counting() const { return started_ && !counted_; }
    // Nothing while counting, or after a failed count (it has shown why).
    const std::optional<SpreadDryRun>& Counts() const { return counts_; }

signals:
    void Counted();

private:
    std::unique_ptr<QThread> thread_;
    bool started_ = false;
    bool counted_ = false;
    std::optional<SpreadDryRun> counts_;
};

}
