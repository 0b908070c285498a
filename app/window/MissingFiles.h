#pragma once
// The shown title's episodes whose files are missing from its known folder, drawn greyed. Only
// the rows drawn are checked, off the window's thread; their rows grey as the answers come.

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <cstdint>

#include "app/window/FileCheckQueue.h"

namespace tolvane {

class TCatalogForm;
class TEpisodeModel;

class TMissingFiles {
public:
    explicit TMissingFiles(TCatalogForm& form);
    ~TMissingFiles();
    TMissingFiles(const TMissingFiles&) = delete;
    TMissingFiles& operator=(const TMissingFiles&) = delete;

private:
    bool Missing(int row);
    void EpisodesReloaded();
    void TakeAnswers();

    TCatalogForm& form_;
    QPointer<TEpisodeModel> model_;
    TFileCheckQueue queue_;
    QTimer poll_;
    std::int64_t title_ = -1;
    QString folder_;         // the shown title's folder; empty when not known
    QHash<QString, bool> missing_; // by file path
    QSet<QString> asked_;
    QHash<int, QString> paths_; // by row, since the last reload
};

} // namespace tolvane
