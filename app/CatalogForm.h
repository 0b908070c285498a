#pragma once
// The catalogue window: the title list with its search box, the selected title's bound fields,
// totals and episodes, and the title count.

#include <QString>
#include <QWidget>
#include <memory>

#include "app/CatalogStore.h"
#include "app/RecordSource.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QTableView;

namespace tolvane {

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
    // Stores an edit of the title record still pending (the session ends, the window closes); a
    // failure is reported.
    void StorePendingEdit();

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

    // Data components.
    TCatalogStore Conn;
    TRecordSource Name;
    TRecordSource Series;
    TRecordSource RJk;

    // Window operations.
    void FormCreate();
    void FormClose();
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
    // ShowTitle's filters on the episodes and totals, for a title ID text.
    void SetTitleFilters(const std::string& id);
    void RefreshBoundBoxes();
    void SetEpisodeColumnWidths();
    void ShowReadOnly(bool readOnly);

    QString path_;
    TOpenMode mode_;
    double scale_ = 1.0;
    TComboBox* typeBox_ = nullptr; // CBType
    std::unique_ptr<TEpisodeColumnFit> episodeColumns_;
    std::unique_ptr<TTitleList> titleList_;
    std::unique_ptr<TEpisodeModel> episodes_;
    std::unique_ptr<TFieldLink> typeLink_;
    std::unique_ptr<TFieldLink> countLink_;
    std::unique_ptr<TFieldLink> commentLink_;
};

} // namespace tolvane
