#include "app/window/FileCheckQueue.h"

#include <QFileInfo>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace tolvane {

struct TFileCheckQueue::TState {
    std::mutex lock;
    std::condition_variable asked;
    std::deque<QString> questions;
    std::vector<std::pair<QString, bool>> answers;
    int generation = 0; // Forget starts a new one; older answers are dropped
    bool checking = false;
    bool stop = false;
};

TFileCheckQueue::TFileCheckQueue() : state_(std::make_shared<TState>()) {
    // The thread holds the state, so that it may outlive the queue while a drive keeps it.
    std::thread([state = state_] {
        std::unique_lock<std::mutex> hold(state->lock);
        for (;;) {
            state->asked.wait(hold, [&] { return state->stop || !state->questions.empty(); });
            if (state->stop) return;
            const QString path = state->questions.front();
            state->questions.pop_front();
            const int generation = state->generation;
            state->checking = true;
            hold.unlock();
            const bool exists = QFileInfo::exists(path);
            hold.lock();
            state->checking = false;
            if (generation == state->generation) state->answers.emplace_back(path, exists);
        }
    }).detach();
}

TFileCheckQueue::~TFileCheckQueue() {
    {
        std::lock_guard<std::mutex> hold(state_->lock);
        state_->stop = true;
    }
    state_->asked.notify_all();
}

void TFileCheckQueue::Ask(const QString& path) {
    {
        std::lock_guard<std::mutex> hold(state_->lock);
        state_->questions.push_back(path);
    }
    state_->asked.notify_all();
}

void TFileCheckQueue::Forget() {
    std::lock_guard<std::mutex> hold(state_->lock);
    state_->questions.clear();
    state_->answers.clear();
    ++state_->generation;
}

std::vector<std::pair<QString, bool>> TFileCheckQueue::Answers() {
    std::lock_guard<std::mutex> hold(state_->lock);
    return std::exchange(state_->answers, {});
}

bool TFileCheckQueue::Busy() const {
    std::lock_guard<std::mutex> hold(state_->lock);
    return state_->checking || !state_->questions.empty() || !state_->answers.empty();
}

} // namespace tolvane
