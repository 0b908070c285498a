#pragma once
// A timer firing on the user-interface thread through the event loop.
// It runs while Enabled, Interval > 0 and OnTimer is assigned.

#include <functional>
#include <memory>

namespace tolvane {

class TTimer {
public:
    TTimer();
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    int Interval() const; // milliseconds; default 1000
    void SetInterval(int ms);
    bool Enabled() const; // default true
    void SetEnabled(bool on);
    bool Running() const; // the platform timer is actually started

    std::function<void()> OnTimer;
    // Assigning OnTimer after enabling needs this to start the platform timer.
    void SetOnTimer(std::function<void()> handler);

    // Fires one tick at once, as the event loop would (tests use it).
    void Tick();

private:
    void Update();
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace tolvane
