#include "app/window/MissingFiles.h"

#include <QDir>
#include <QTableView>

#include "app/CatalogForm.h"
#include "app/EpisodeModel.h"
#include "app/TitleFolders.h"

namespace tolvane {

namespace {
constexpr int kPollMs = 40;
}

TMissingFiles::TMissingFiles(TCatalogForm& form)
    : form_(form), model_(dynamic_cast<TEpisodeModel*>(form.DBGrid2->model())) {
    if (!model_) return;
    poll_.setInterval(kPollMs);
    QObject::connect(&poll_, &QTimer::timeout, [this] { TakeAnswers(); });
    QObject::connect(model_, &QAbstractItemModel::modelReset, &poll_, [this] { EpisodesReloaded(); });
    // An episode renamed in place names another file.
    QObject::connect(model_, &QAbstractItemModel::dataChanged, &poll_,
                     [this](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                         if (roles == QList<int>{Qt::ForegroundRole}) return;
                         for (int row = from.row(); row <= to.row(); ++row) paths_.remove(row);
                     });
    model_->SetDimmedRows([this](int row) { return Missing(row); });
    EpisodesReloaded();
}

TMissingFiles::~TMissingFiles() {
    if (model_) model_->SetDimmedRows({});
}

void TMissingFiles::EpisodesReloaded() {
    paths_.clear();
    // A scan may have recorded the folder of the title shown: asked again at each reload.
    const std::int64_t title = form_.ShownTitleId();
    QString folder;
    if (title != 0 && form_.Conn.IsOpen()) {
        try {
            folder = TTitleFolders::FolderOf(form_.Conn.Database(), title);
        } catch (const std::exception&) {
            // Not knowing the folder greys nothing; opening an episode tells why.
        }
    }
    if (title == title_ && folder == folder_) return;
    title_ = title;
    folder_ = folder;
    queue_.Forget();
    missing_.clear();
    asked_.clear();
}

bool TMissingFiles::Missing(int row) {
    if (folder_.isEmpty() || !model_) return false;
    // Asked for every cell drawn: each row's file name is read once per reload.
    auto cached = paths_.constFind(row);
    if (cached == paths_.constEnd()) {
        const QString name = model_->index(row, 0).data(Qt::DisplayRole).toString();
        cached = paths_.insert(row, name.isEmpty() ? QString() : QDir(folder_).filePath(name));
    }
    const QString& path = *cached;
    if (path.isEmpty()) return false;
    const auto known = missing_.constFind(path);
    if (known != missing_.constEnd()) return *known;
    if (!asked_.contains(path)) {
        asked_.insert(path);
        queue_.Ask(path);
        if (!poll_.isActive()) poll_.start();
    }
    return false;
}

void TMissingFiles::TakeAnswers() {
    bool changed = false;
    for (const auto& [path, exists] : queue_.Answers()) {
        missing_.insert(path, !exists);
        changed = changed || !exists;
    }
    if (!queue_.Busy()) poll_.stop();
    if (changed && model_) model_->DimmedChanged();
}

} // namespace tolvane
