#include "MaterialFinder.h"

#include "GLB.h"
#include "HostError.h"
#include "HostText.h"
#include "RWDatabase.h"
#include "ThreadSession.h"

#include <QThread>

#include <algorithm>

namespace vellbatchrule {

namespace {

// Appends the rows of a find query; false when it failed.
bool Append(const std::unique_ptr<Recordset>& rows, bool group, MaterialFinder::Answer& answer, int most)
{
    if (!rows)
        return false;
    const auto first = answer.matches.size();
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) {
        const qint32 id = rows->Field(0).toInt();
        answer.matches.append({group, id, group ? id : rows->Field(3).toInt(), rows->Field(1).toString(),
                               rows->Field(2).toString()});
    }
    std::sort(answer.matches.begin() + first, answer.matches.end(),
              [](const MaterialFinder::Match& a, const MaterialFinder::Match& b) { return a.number < b.number; });
    answer.more = answer.more || rows->RecordCount() >= most;
    return true;
}

}

MaterialFinder::MaterialFinder() = default;

MaterialFinder::~MaterialFinder()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_)
        thread_->wait();
}

void MaterialFinder::Find(const QString& typed)
{
    {
        const std::lock_guard lock(mutex_);
        pending_ = typed;
    }
    wake_.notify_one();
    if (!thread_) {
        thread_.reset(QThread::create([this] { Serve(); }));
        thread_->start();
    }
}

void MaterialFinder::Serve()
{
    GLB::MessageCapture quiet;
    std::optional<ThreadSession> session;
    QString failure;
    try {
        session.emplace();
    } catch (const HostError& error) {
        failure = error.Description();
    }
    for (;;) {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || pending_; });
        if (stopping_)
            return;
        const QString typed = *std::exchange(pending_, std::nullopt);
        lock.unlock();
        const Answer answer = session ? FindNow(typed) : Answer{typed, {}, false, failure};
        QMetaObject::invokeMethod(this, [this, answer] { emit Found(answer); }, Qt::QueuedConnection);
    }
}

QString MaterialFinder::Folded(const QString& typed)
{
    QString folded;
    folded.reserve(typed.size());
    for (const QChar c : typed) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            folded += QChar(c.unicode() - 0xFEE0);
        else if (c.unicode() == 0x3000)
            folded += QLatin1Char(' ');
        else
            folded += c;
    }
    return HostText::TrimBlanks(folded);
}

MaterialFinder::Answer MaterialFinder::FindNow(const QString& typed, int most)
{
    Answer answer;
    answer.typed = typed;
    const QString text = Folded(typed);
    if (text.isEmpty())
        return answer;
    GLB::MessageCapture shown;
    RWDatabase database;
    try {
        if (Append(database.FindGroups(text, most), true, answer, most)
            && Append(database.FindMaterials(text, most), false, answer, most))
            return answer;
    } catch (const HostError& error) {
        answer.failure = error.Description();
        return answer;
    }
    answer.failure = shown.Messages().value(0);
    return answer;
}

}
