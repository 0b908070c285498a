#pragma once
// The catalogue window: the title list with its search box, the selected title's bound fields,
// totals and episodes, and the title count.

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/CatalogStore.h"
#include "app/RecordSource.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QTableView;

namespace tolvane {

class TChangeWatcher;
class TEpisodeColumnFit;

class TComboBox;
class TEpisodeModel;
class TFieldLink;
class TTitleList;

class TCatalogForm : public QWidget {
public:
    // Creates the controls and runs FormCreate on the catalogue file. A failure is reported
    // through TErrorReporter and leaves the window empty with its initial texts.
    explicit TCatalogForm(const QString& path = "Oru.db", TOpenMode mode = TOpenMode::omReadWrite,
                          QWidget* parent = nullptr);
    ~TCatalogForm() override;

    // Design pixels (at 120 dpi) in the screen's pixels.
    int Scaled(int designPixels) const;
    // Whether the open catalogue cannot be written; its boxes and episode cells are read-only then.
    bool ReadOnly() const;
    // Stores every pending edit (the boxes' and an open episode cell editor's) without asking
    // anyone, as when the program must end: a write that keeps failing for a few seconds, or a
    // field changed elsewhere, is kept in the recovery file beside the catalogue.
    void StorePendingEdit();
    // From now on closing asks no one (the program is ending on a signal or the session's end).
    void SetUnattended() { unattended_ = true; }
    // Shows what the catalogue holds now (changed by another window or program), keeping the
    // search, the current title and a pending edit. Returns false when it cannot now (an episode
    // cell is being edited, a question is open); the change watcher tries again.
    bool RefreshFromCatalog();
    // Asks the catalogue at once whether it changed elsewhere, and refreshes when it did.
    bool CheckForChanges();

    // The menus' hold on the window.
    // Shows the title of that ID, emptying the search box when its text hides it; false when
    // the title is not listed or its edits could not be stored.
    bool SelectTitle(std::int64_t id);
    // The shown title's ID and name, or 0 and an empty text.
    std::int64_t ShownTitleId() const;
    QString ShownTitleName();

    // Controls.
    QLineEdit* EFound = nullptr;
    TTitleList* GV = nullptr;
    QComboBox* CBType = nullptr;
    QLineEdit* ECount = nullptr;
    QLineEdit* ESize = nullptr;
    QLineEdit* ETime = nullptr;
    QLineEdit* EKoment = nullptr;
    QTableView* DBGrid2 = nullptr;
    QStatusBar* SBar = nullptr;
    QLabel* SBarPanel = nullptr;    // panel 0
    QLabel* SBarReadOnly = nullptr; // "(read-only)", shown while the catalogue cannot be written
    QLabel* SBarServerGone = nullptr; // shown while the catalogue's server cannot be reached

    // Data components.
    TCatalogStore Conn;
    TRecordSource Name;
    TRecordSource Series;
    TRecordSource RJk;

    // Window operations.
    void FormCreate();
    // keepList: the title list copies its rows in, for a window that stays (closed, not destroyed).
    void FormClose(bool keepList = true);
    void LoadName();
    void ShowTitle();
    void EFoundChange();
    void GVSelectCell(int ACol, int ARow);
    void SeriesCalcFields(TRecordSource& DataSet);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    // Whether the title list shows the title source's view, row by row.
    bool ListsView();
    // ShowTitle's filters on the episodes and totals, for a title ID text.
    void SetTitleFilters(const std::string& id);
    void RefreshBoundBoxes();
    void SetEpisodeColumnWidths();
    void ShowReadOnly(bool readOnly);
    QWidget* OpenEpisodeEditor() const;
    // Ends an open episode cell editor, its text becoming a pending edit of the episode.
    void CommitEpisodeEditor();
    // Stores the pending edits before the window shows another title; false when one stays
    // pending (a conflict left undecided, a failure, which is reported).
    bool StoreEdits();
    // The title source narrowed to the title the boxes show, its pending edit kept.
    void NarrowToShownTitle();
    // Back to the title the boxes show, after a move that could not store its edit.
    void ReturnToShownTitle();
    void SelectShownTitleInList();
    // Runs an action and reports its failure; while the catalogue's server is gone, its failures
    // are that one, said once. Returns whether the action completed.
    bool Guarded(const std::function<void()>& action);
    void ShowServerGone(bool gone);

    QString path_;
    TOpenMode mode_;
    double scale_ = 1.0;
    TComboBox* typeBox_ = nullptr; // CBType
    std::unique_ptr<TEpisodeColumnFit> episodeColumns_;
    std::unique_ptr<TTitleList> titleList_;
    // The title source's rows the title list shows, while the source's rows are of that reading.
    struct TListedTitles {
        std::vector<int> Rows;
        int ReadCount = 0;
    };
    std::shared_ptr<const TListedTitles> listed_;
    std::unique_ptr<TEpisodeModel> episodes_;
    std::unique_ptr<TFieldLink> typeLink_;
    std::unique_ptr<TFieldLink> countLink_;
    std::unique_ptr<TFieldLink> commentLink_;
    std::unique_ptr<TChangeWatcher> watcher_;
    std::string shownId_; // the ID of the title ShowTitle last showed
    bool unattended_ = false;
    bool serverGoneSaid_ = false;
    int storing_ = 0; // a store (and maybe a question about it) is under way
};

} // namespace tolvane
