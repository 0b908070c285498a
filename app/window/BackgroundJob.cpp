#include "app/window/BackgroundJob.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <memory>
#include <optional>

#include "app/CatalogError.h"

namespace tolvane {

namespace {

// Often enough for the eye, seldom enough to cost the work nothing.
constexpr int kTickMs = 50;

std::optional<TJobPicture>& Picture() {
    static std::optional<TJobPicture> picture;
    return picture;
}

QString TimeLeft(qint64 elapsedMs, int done, int total) {
    if (done < 2 || elapsedMs < 500) return "estimating the time left…";
    const qint64 left = elapsedMs * (total - done) / done / 1000;
    if (left < 60) return QString("about %1 s left").arg(std::max<qint64>(left, 1));
    return QString("about %1 min left").arg((left + 30) / 60);
}

} // namespace

void TJobControl::Report(int done, int total, const QString& item) {
    std::unique_lock<std::mutex> hold(lock_);
    state_ = {done, total, item};
    released_.wait(hold, [this] { return holdAt_ < 0 || state_.Done < holdAt_ || cancel_; });
}

TJobControl::TState TJobControl::State() const {
    std::lock_guard<std::mutex> hold(lock_);
    return state_;
}

void TJobControl::HoldAt(int done) {
    std::lock_guard<std::mutex> hold(lock_);
    holdAt_ = done;
}

void TJobControl::Release() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        holdAt_ = -1;
    }
    released_.notify_all();
}

void TBackgroundJob::TakePicture(TJobPicture picture) {
    Picture() = std::move(picture);
}

bool TBackgroundJob::Run(QWidget* parent, const QString& caption, const QString& objectName, const QString& unit,
                         const std::function<void(TJobControl&)>& work) {
    auto control = std::make_shared<TJobControl>();
    auto error = std::make_shared<QString>();
    const std::optional<TJobPicture> picture = std::exchange(Picture(), std::nullopt);
    if (picture) control->HoldAt(picture->HoldAt);
    std::unique_ptr<QThread> worker(QThread::create([control, error, work] {
        try {
            work(*control);
        } catch (const std::exception& e) {
            *error = QString::fromUtf8(e.what());
        }
    }));

    QProgressDialog dialog(caption + "…", "Cancel", 0, 0, parent);
    dialog.setObjectName(objectName);
    dialog.setWindowTitle(caption);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumWidth(420);
    const auto cancel = [&dialog, control] {
        control->Cancel();
        control->Release();
        dialog.setLabelText("Cancelling…");
    };
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, cancel);

    QEventLoop loop;
    QElapsedTimer clock;
    QTimer tick;
    tick.setInterval(kTickMs);
    // Ends the wait as soon as the work ends, not at the next tick.
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (control->Cancelled()) return;
        const TJobControl::TState now = control->State();
        if (now.Total == 0) return;
        if (!clock.isValid()) clock.start();
        const bool held = picture && now.Done == picture->HoldAt;
        const qint64 elapsed = held ? picture->ElapsedMs : clock.elapsed();
        dialog.setMaximum(now.Total);
        dialog.setValue(now.Done);
        dialog.setLabelText(QString("%1 of %2 %3\n%4\n%5")
                                .arg(now.Done)
                                .arg(now.Total)
                                .arg(unit, now.Item, TimeLeft(elapsed, now.Done, now.Total)));
        if (held) {
            picture->Take(dialog);
            cancel();
        }
    });
    worker->start();
    tick.start();
    dialog.show();
    if (!worker->isFinished()) loop.exec();
    worker->wait();
    dialog.hide();

    if (!error->isEmpty()) throw ECatalogError(*error);
    return control->Cancelled();
}

} // namespace tolvane
