#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

class QThread;

namespace vellbatchrule {

// The find box's search: the groups and the batch-managed materials whose
// number or name holds the typed text, within the user's grants. It runs on
// a thread with its own connection, so the window answers while a million
// materials are searched, and answers only the latest text typed.
class MaterialFinder : public QObject {
    Q_OBJECT
public:
    struct Match {
        bool group = false;
        qint32 id = 0;
        qint32 groupId = 0;   // the group's own, or the material's group
        QString number, name;
    };
    struct Answer {
        QString typed;
        QList<Match> matches;   // the groups, then the materials, each kind by number
        bool more = false;      // a kind reached kMost: more may be found, and these are the first found
        QString failure;        // the reason, when the search failed
    };
    static constexpr int kMost = 200;   // of each kind

    MaterialFinder();
    // Waits for a search still running; its answer is dropped.
    ~MaterialFinder() override;

    // Searches apart; Found follows, unless a later text comes first.
    void Find(const QString& typed);

    // The text as the database compares it: full-width letters, digits and
    // blanks (what an input method in full-width mode types) as their
    // half-width forms, leading and trailing blanks dropped.
    static QString Folded(const QString& typed);
    // Searches on this thread's connection.
    static Answer FindNow(const QString& typed, int most = kMost);

signals:
    void Found(const vellbatchrule::MaterialFinder::Answer& answer);

private:
    void Serve();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<QString> pending_;
    bool stopping_ = false;
    std::unique_ptr<QThread> thread_;
};

}
