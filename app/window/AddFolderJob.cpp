#include "app/window/AddFolderJob.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>
#include <mutex>

namespace tolvane {

namespace {

constexpr int kTickMs = 50;

// What the scan's thread and the window's share.
struct TScanState {
    std::mutex lock;
    int done = 0;
    int total = 0;
    QString file;
    std::optional<TScanResult> result;
    QString error;
    std::atomic<bool> cancel{false};
};

QString TimeLeft(qint64 elapsedMs, int done, int total) {
    if (done < 2 || elapsedMs < 500) return "estimating the time left…";
    const qint64 left = elapsedMs * (total - done) / done / 1000;
    if (left < 60) return QString("about %1 s left").arg(std::max<qint64>(left, 1));
    return QString("about %1 min left").arg((left + 30) / 60);
}

} // namespace

std::optional<TScanResult> TAddFolderJob::Run(QWidget* parent, const TScanRequest& request) {
    auto state = std::make_shared<TScanState>();
    std::unique_ptr<QThread> worker(QThread::create([state, request] {
        try {
            TScanResult result = TFolderScan::Run(
                request,
                [&state](int k, int n, const QString& file) {
                    std::lock_guard<std::mutex> hold(state->lock);
                    state->done = k - 1;
                    state->total = n;
                    state->file = file;
                },
                [&state] { return state->cancel.load(); });
            std::lock_guard<std::mutex> hold(state->lock);
            state->result = std::move(result);
        } catch (const EScanCancelled&) {
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> hold(state->lock);
            state->error = QString::fromUtf8(e.what());
        }
    }));

    QProgressDialog dialog("Reading the folder…", "Cancel", 0, 0, parent);
    dialog.setObjectName("AddFolderProgress");
    dialog.setWindowTitle("Add Folder");
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumWidth(420);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&dialog, state] {
        state->cancel = true;
        dialog.setLabelText("Cancelling…");
    });

    QEventLoop loop;
    QElapsedTimer clock;
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (worker->isFinished()) {
            loop.quit();
            return;
        }
        if (state->cancel) return;
        std::lock_guard<std::mutex> hold(state->lock);
        if (state->total == 0) return;
        if (!clock.isValid()) clock.start();
        dialog.setMaximum(state->total);
        dialog.setValue(state->done);
        dialog.setLabelText(QString("%1 of %2 files\n%3\n%4")
                                .arg(state->done)
                                .arg(state->total)
                                .arg(state->file, TimeLeft(clock.elapsed(), state->done, state->total)));
    });
    worker->start();
    tick.start();
    dialog.show();
    if (!worker->isFinished()) loop.exec();
    worker->wait();
    dialog.hide();

    std::lock_guard<std::mutex> hold(state->lock);
    if (!state->error.isEmpty()) throw ECatalogError(state->error);
    return state->result;
}

} // namespace tolvane
