#pragma once
// Whether files exist, found out on a thread of its own: a slow or disconnected drive keeps that
// thread waiting, never the window's.

#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace tolvane {

class TFileCheckQueue {
public:
    TFileCheckQueue();
    // Leaves a check still waiting on a drive to end by itself.
    ~TFileCheckQueue();
    TFileCheckQueue(const TFileCheckQueue&) = delete;
    TFileCheckQueue& operator=(const TFileCheckQueue&) = delete;

    void Ask(const QString& path);
    // Drops what was asked and not yet answered.
    void Forget();
    // The answers come since the last call: each path with whether it exists.
    std::vector<std::pair<QString, bool>> Answers();
    // Whether a question is still open.
    bool Busy() const;

private:
    struct TState;
    std::shared_ptr<TState> state_;
};

} // namespace tolvane
