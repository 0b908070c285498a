#include "app/scan/ProbePool.h"

#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/scan/MediaProbe.h"

namespace tolvane {

namespace {

// How often the waiting caller looks at how far the readers are, reports it and asks whether to
// stop. Readers do not wake it for each file: on small files that would be a thread switch each
// millisecond or so, for progress no one can follow that fast.
constexpr auto kPoll = std::chrono::milliseconds(20);

struct TShared {
    std::atomic<int> next{0};
    std::atomic<bool> stop{false};
    std::mutex lock;
    std::condition_variable readerEnded;
    std::vector<char> done; // under lock
    int running = 0;        // readers started and not yet ended, under lock
};

} // namespace

int TProbePool::DefaultThreads() {
    return std::max(1, QThread::idealThreadCount());
}

std::optional<std::vector<TProbed>> TProbePool::Read(const QStringList& paths, int threads,
                                                     const TProgress& progress, const TCancelled& cancelled) {
    const int count = int(paths.size());
    std::vector<TProbed> results(static_cast<std::size_t>(count));
    if (count == 0) return results;
    // The first probe sets up the C library's locale before any reader runs.
    TMediaProbe first;
    TShared shared;
    shared.done.assign(std::size_t(count), 0);
    const int readers = std::clamp(threads < 1 ? DefaultThreads() : threads, 1, count);

    const auto reader = [&](TMediaProbe* own) {
        std::unique_ptr<TMediaProbe> made;
        if (!own) {
            made = std::make_unique<TMediaProbe>();
            own = made.get();
        }
        for (int k; !shared.stop && (k = shared.next++) < count;) {
            TProbed& result = results[std::size_t(k)];
            try {
                result.Facts = own->Read(paths[k], &result.Problem);
            } catch (const std::exception& e) {
                result.Facts.reset();
                result.Problem = QString::fromUtf8(e.what());
            } catch (...) {
                result.Facts.reset();
                result.Problem = "not a readable video file";
            }
            std::lock_guard<std::mutex> hold(shared.lock);
            shared.done[std::size_t(k)] = 1;
        }
        std::lock_guard<std::mutex> hold(shared.lock);
        --shared.running;
        shared.readerEnded.notify_one();
    };

    // Stops and joins the readers however the wait below ends (a callback may throw).
    struct TWorkers {
        TShared& shared;
        std::vector<std::thread> threads;
        ~TWorkers() {
            shared.stop = true;
            for (std::thread& t : threads) t.join();
        }
    } workers{shared, {}};
    for (int t = 0; t < readers; ++t) {
        {
            std::lock_guard<std::mutex> hold(shared.lock);
            ++shared.running;
        }
        try {
            workers.threads.emplace_back(reader, t == 0 ? &first : nullptr);
        } catch (...) {
            // No more threads to be had: the ones started read everything.
            std::lock_guard<std::mutex> hold(shared.lock);
            --shared.running;
            break;
        }
    }
    if (workers.threads.empty()) {
        shared.running = 1;
        reader(&first);
    }

    // Waits for the readers, reporting each file once, in order, as the reading reaches it: a
    // caller that counts files (or holds at one) sees every one, however fast they were read.
    bool stopped = false;
    int at = -1;
    std::unique_lock<std::mutex> hold(shared.lock);
    for (;;) {
        int unread = at < 0 ? 0 : at;
        while (unread < count && shared.done[std::size_t(unread)]) ++unread;
        const bool ended = shared.running == 0;
        const int reached = std::min(unread, count - 1);
        while (!stopped && at < reached) {
            ++at;
            hold.unlock();
            if (progress) progress(at);
            const bool cancel = cancelled && cancelled();
            hold.lock();
            if (cancel) {
                stopped = true;
                shared.stop = true;
            }
        }
        // Asked also once everything is read: a cancel given meanwhile still means nothing stored.
        if (!stopped && cancelled) {
            hold.unlock();
            const bool cancel = cancelled();
            hold.lock();
            if (cancel) {
                stopped = true;
                shared.stop = true;
            }
        }
        if (ended) break;
        shared.readerEnded.wait_for(hold, kPoll);
    }
    hold.unlock();
    if (stopped) return std::nullopt;
    return results;
}

} // namespace tolvane
