#pragma once

namespace vellbatchrule {

// A thread of the component's own (the spread's count, the find box's
// search) works on a connection and a session of its own, made from the
// host's components, and gives them up when it ends, while the thread is
// still whole: module state belongs to its thread.
class ThreadSession {
public:
    // A component that cannot be made throws HostError, and nothing is kept.
    ThreadSession();
    ~ThreadSession();
    ThreadSession(const ThreadSession&) = delete;
    ThreadSession& operator=(const ThreadSession&) = delete;
};

}
