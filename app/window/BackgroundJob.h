#pragma once
// Long work run off the window's thread, with a progress dialog (done of all, the item at hand,
// the time left, Cancel) while the window goes on painting and answering.

#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class QProgressDialog;
class QWidget;

namespace tolvane {

// What the work and the window share: the work reports, the window shows and may cancel.
class TJobControl {
public:
    // From the work's thread; cheap enough to call for every item.
    void Report(int done, int total, const QString& item);
    bool Cancelled() const { return cancel_.load(); }

    struct TState {
        int Done = 0;
        int Total = 0;
        QString Item;
    };
    TState State() const;
    void Cancel() { cancel_ = true; }
    // Holds the work in Report once `done` items are done, until Release (for a steady picture).
    void HoldAt(int done);
    void Release();

private:
    mutable std::mutex lock_;
    std::condition_variable released_;
    TState state_;
    int holdAt_ = -1;
    std::atomic<bool> cancel_{false};
};

// A picture of the dialog while the work holds at a given point, with a fixed time estimate.
struct TJobPicture {
    int HoldAt = 1;
    qint64 ElapsedMs = 0;
    // Called with the dialog on the window's thread; the job is cancelled after it.
    std::function<void(QProgressDialog&)> Take;
};

class TBackgroundJob {
public:
    // Runs `work` on a thread of its own and returns when it ended. An exception from the work
    // is thrown again here as ECatalogError. Whether the user cancelled (the work decides what
    // that leaves behind; it must ask Cancelled() often).
    // `unit` names what is counted ("files").
    static bool Run(QWidget* parent, const QString& caption, const QString& objectName, const QString& unit,
                    const std::function<void(TJobControl&)>& work);
    // The next job shows its dialog as the picture asks and is cancelled after it.
    static void TakePicture(TJobPicture picture);
};

} // namespace tolvane
