// The catalogue window's behaviour, by section (entry point → what it calls):
//   layout      CreateControls, SetEpisodeColumnWidths, Scaled, resizeEvent
//   opening     FormCreate: opens the store, fills the title list, shows the first title
//   search      EFoundChange → NarrowToShownTitle / ReturnToShownTitle
//   selection   GVSelectCell → StoreEdits → SetTitleFilters → ShowTitle (boxes, totals, episodes)
//   storing     StoreEdits, CommitEpisodeEditor, StorePendingEdit (through TEditStorage)
//   closing     closeEvent → FormClose (asks Retry / Discard / Cancel, or keeps a recovery file)
//   outside     CheckForChanges / RefreshFromCatalog, driven by TChangeWatcher
//   menus       SelectTitle, ShownTitleId, ShownTitleName
#include "app/CatalogForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <utility>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/ChangeWatcher.h"
#include "app/ComboBox.h"
#include "app/EditStorage.h"
#include "app/EpisodeColumnFit.h"
#include "app/EpisodeFields.h"
#include "app/EpisodeModel.h"
#include "app/ErrorReporter.h"
#include "app/FieldLink.h"
#include "app/FilterExpression.h"
#include "app/Formats.h"
#include "app/GridTitleList.h"
#include "app/RecoveryFile.h"
#include "app/TextLengthDelegate.h"
#include "app/WindowPlacement.h"
#include "grid/base/ShownText.h"
#include "grid/control/GridView.h"

namespace tolvane {

namespace {

const QString kCaption = "Tolvane";
const QString kReadOnlyMark = "(read-only)";
const QString kServerGoneMark = "Server gone: edits are kept";
const QString kTotalCaption = QString::fromUtf8("Всего:");
const QString kTitleField = QString::fromUtf8("Название");
const QString kIdField = "ID";

// Design geometry at 120 dpi: left, top, width, height.
constexpr QRect kClient(0, 0, 1057, 836);
constexpr QRect kEFound(8, 0, 281, 24);
constexpr QRect kGV(0, 24, 300, 793);
constexpr QRect kCBType(304, 24, 97, 24);
constexpr QRect kECount(408, 24, 89, 24);
constexpr QRect kESize(504, 24, 169, 24);
constexpr QRect kETime(678, 24, 113, 24);
constexpr QRect kEKoment(792, 24, 265, 24);
constexpr QRect kDBGrid2(304, 48, 753, 769);
constexpr QRect kSBar(0, 817, 1057, 19);
// The smallest window: every box whole, the comment box still usable, some rows of both lists.
constexpr QSize kMinimum(kEKoment.left() + 120, kDBGrid2.top() + 240 + kSBar.height());
constexpr int kPanelWidth = 150;
constexpr int kRowSize = 16;
// How long edits are retried when the program must end and no one can be asked.
constexpr int kUnattendedStoreMs = 4000;
// The episodes and totals show the start of a text: a longer one is read cut, a little above
// what a cell can show.
constexpr qsizetype kReadTextChars = MaxShownLineChars + 64;

QIcon MakeIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 40, 48));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 5, 28, 22), 3, 3);
    p.setBrush(QColor(235, 235, 235));
    for (int x = 5; x < 29; x += 6) {
        p.drawRect(QRectF(x, 7, 3, 3));
        p.drawRect(QRectF(x, 22, 3, 3));
    }
    p.setBrush(QColor(70, 140, 220));
    p.drawRect(QRectF(5, 12, 22, 8));
    return QIcon(pixmap);
}

// Counts a store under way, during which the window does not refresh itself.
class TStoring {
public:
    explicit TStoring(int& count) : count_(count) { ++count_; }
    ~TStoring() { --count_; }

private:
    int& count_;
};

// Holds a source's record-changed notifications while the window walks its records.
class TControlsDisabled {
public:
    explicit TControlsDisabled(TRecordSource& source) : source_(source) { source_.DisableControls(); }
    ~TControlsDisabled() { source_.EnableControls(); }

private:
    TRecordSource& source_;
};

} // namespace

TCatalogForm::TCatalogForm(const QString& path, TOpenMode mode, QWidget* parent)
    : QWidget(parent), Name(TCatalogSchema::Titles()), Series(TCatalogSchema::Episodes()),
      RJk(TCatalogSchema::Totals()), path_(path), mode_(mode) {
    setObjectName("TCatalogForm");
    setWindowTitle(kCaption);
    setWindowIcon(MakeIcon());
    const QScreen* screen = QGuiApplication::primaryScreen();
    scale_ = (screen ? screen->logicalDotsPerInch() : 96.0) / 120.0;

    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(Scaled(13));
    setFont(font);
    setBackgroundRole(QPalette::Window); // clBtnFace
    setAutoFillBackground(true);

    CreateControls();
    setMinimumSize(Scaled(kMinimum.width()), Scaled(kMinimum.height()));
    TWindowPlacement::Place(*this, QSize(Scaled(kClient.width()), Scaled(kClient.height())));

    Series.SetTextLimit(kReadTextChars);
    RJk.SetTextLimit(kReadTextChars);
    Series.OnCalcFields = [this](TRecordSource& source) { SeriesCalcFields(source); };
    Series.OnViewChanged = [this] {
        episodes_->Reload();
        if (episodeColumns_) episodeColumns_->FitToContents();
    };
    Name.OnRecordChanged = [this] { RefreshBoundBoxes(); };

    // The session ending (logout, shutdown) stores the pending edits; no one is asked then.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this] { StorePendingEdit(); });
        connect(app, &QCoreApplication::aboutToQuit, this, [this] {
            unattended_ = true;
            if (Conn.IsOpen()) TErrorReporter::Guard([this] { FormClose(false); });
        });
    }
    watcher_ = std::make_unique<TChangeWatcher>(this, [this] { return RefreshFromCatalog(); });
    watcher_->OnServerGone = [this](bool gone) { ShowServerGone(gone); };

    if (!TErrorReporter::Guard([this] { FormCreate(); })) {
        // Whatever was opened is closed again: the window stays empty with its initial texts.
        Name.Close();
        Series.Close();
        RJk.Close();
        Conn.Close();
        GV->Clear();
        ESize->setText("Size");
        ETime->setText("Time");
        SBarPanel->setText(kTotalCaption);
        RefreshBoundBoxes();
    }
}

TCatalogForm::~TCatalogForm() {
    unattended_ = true;
    if (Conn.IsOpen()) TErrorReporter::Guard([this] { FormClose(false); });
    watcher_.reset();
    Name.OnRecordChanged = nullptr;
    Series.OnViewChanged = nullptr;
    Series.OnCalcFields = nullptr;
    if (GV) GV->OnSelectCell = nullptr;
}

int TCatalogForm::Scaled(int designPixels) const {
    return qRound(designPixels * scale_);
}

void TCatalogForm::CreateControls() {
    auto place = [this](QWidget* w, const QRect& r) {
        w->setGeometry(Scaled(r.left()), Scaled(r.top()), Scaled(r.width()), Scaled(r.height()));
    };

    titleList_ = std::make_unique<TGridTitleList>(this, scale_, font());
    GV = titleList_.get();
    GV->Widget()->setObjectName("GV");
    GV->SetBounds(QRect(Scaled(kGV.left()), Scaled(kGV.top()), Scaled(kGV.width()), Scaled(kGV.height())));
    GV->OnSelectCell = [this](int col, int row) { Guarded([&] { GVSelectCell(col, row); }); };

    EFound = new QLineEdit(this);
    EFound->setObjectName("EFound");
    place(EFound, kEFound);
    connect(EFound, &QLineEdit::textChanged, this, [this] { Guarded([this] { EFoundChange(); }); });

    typeBox_ = new TComboBox(this);
    CBType = typeBox_;
    CBType->setObjectName("CBType");
    CBType->setEditable(true);
    CBType->setInsertPolicy(QComboBox::NoInsert);
    CBType->addItems({"OVA", "Movie", "TV"});
    CBType->setEditText(QString());
    place(CBType, kCBType);

    ECount = new QLineEdit(this);
    ECount->setObjectName("ECount");
    place(ECount, kECount);

    ESize = new QLineEdit("Size", this);
    ESize->setObjectName("ESize");
    ESize->setReadOnly(true);
    place(ESize, kESize);

    ETime = new QLineEdit("Time", this);
    ETime->setObjectName("ETime");
    ETime->setReadOnly(true);
    place(ETime, kETime);

    EKoment = new QLineEdit(this);
    EKoment->setObjectName("EKoment");
    place(EKoment, kEKoment);

    episodes_ = std::make_unique<TEpisodeModel>(Series);
    DBGrid2 = new QTableView(this);
    DBGrid2->setObjectName("DBGrid2");
    DBGrid2->setModel(episodes_.get());
    DBGrid2->setItemDelegate(new TTextLengthDelegate(
        [this](int column) { return Series.FieldDef(episodes_->FieldOf(column)).Size; }, DBGrid2));
    DBGrid2->horizontalHeader()->setFont(font());
    DBGrid2->verticalHeader()->setDefaultSectionSize(Scaled(kRowSize + 4));
    DBGrid2->verticalHeader()->setVisible(false);
    DBGrid2->setWordWrap(false);
    // Tab goes on to the next control of the window, as it does from every other one.
    DBGrid2->setTabKeyNavigation(false);
    DBGrid2->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    place(DBGrid2, kDBGrid2);
    SetEpisodeColumnWidths();
    DBGrid2->viewport()->installEventFilter(this);

    SBar = new QStatusBar(this);
    SBar->setObjectName("SBar");
    SBar->setSizeGripEnabled(false);
    SBarPanel = new QLabel(kTotalCaption, SBar);
    SBarPanel->setFixedWidth(Scaled(kPanelWidth));
    SBar->addWidget(SBarPanel);
    SBarReadOnly = new QLabel(kReadOnlyMark, SBar);
    SBarReadOnly->setToolTip("The catalogue file cannot be written: nothing can be edited.");
    SBar->addWidget(SBarReadOnly);
    SBarReadOnly->hide();
    SBarServerGone = new QLabel(kServerGoneMark, SBar);
    SBar->addWidget(SBarServerGone);
    SBarServerGone->hide();
    place(SBar, kSBar);

    typeLink_ = std::make_unique<TFieldLink>(Name, QString::fromUtf8("Тип"), CBType);
    countLink_ = std::make_unique<TFieldLink>(Name, QString::fromUtf8("Количество серий"), ECount);
    commentLink_ = std::make_unique<TFieldLink>(Name, QString::fromUtf8("Комментарий"), EKoment);
    RefreshBoundBoxes();

    setTabOrder(GV->Widget(), ECount);
    setTabOrder(ECount, ESize);
    setTabOrder(ESize, ETime);
    setTabOrder(ETime, EKoment);
    setTabOrder(EKoment, DBGrid2);
    setTabOrder(DBGrid2, EFound);
    setTabOrder(EFound, CBType);
    GV->Widget()->setFocus();
}

void TCatalogForm::SetEpisodeColumnWidths() {
    const QFontMetrics metrics(DBGrid2->font());
    const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
    std::vector<int> design;
    for (int c = 0; c < episodes_->columnCount(); ++c)
        // The cell margins of the table view are wider than a classic data grid's.
        design.push_back(Series.FieldDef(episodes_->FieldOf(c)).DisplayWidth * digit + Scaled(16));
    // Fonts wider than the design's would push the last columns out of sight: the file name
    // column gives up the difference, down to 120 design pixels.
    episodeColumns_ = std::make_unique<TEpisodeColumnFit>(*DBGrid2, std::move(design), Scaled(120));
    episodeColumns_->FitToContents();
}

bool TCatalogForm::eventFilter(QObject* watched, QEvent* event) {
    // The rows in view and the room for them change with the size (a hidden view has none yet).
    if (DBGrid2 && watched == DBGrid2->viewport() && event->type() == QEvent::Resize && episodeColumns_)
        episodeColumns_->FitToContents();
    return QWidget::eventFilter(watched, event);
}

bool TCatalogForm::ReadOnly() const {
    return Conn.IsOpen() && Conn.ReadOnly();
}

void TCatalogForm::ShowReadOnly(bool readOnly) {
    setWindowTitle(readOnly ? kCaption + " " + kReadOnlyMark : kCaption);
    SBarReadOnly->setVisible(readOnly);
    typeBox_->SetReadOnly(readOnly);
}

void TCatalogForm::RefreshBoundBoxes() {
    if (!typeLink_) return;
    typeLink_->Refresh();
    countLink_->Refresh();
    commentLink_->Refresh();
}

void TCatalogForm::FormCreate() {
    // Column widths the user chose were for the catalogue shown before.
    if (episodeColumns_) episodeColumns_->Forget();
    Conn.Open(path_, mode_);
    // Edits an earlier run had to keep aside are offered before anything is shown.
    if (!Conn.ReadOnly()) TErrorReporter::Guard([this] { TRecoveryFile::Offer(Conn); });
    Name.Open(Conn);
    // Opened on the filters ShowTitle sets, the episodes and totals are read for the first title
    // alone rather than whole.
    SetTitleFilters(Name.AsText(0));
    Series.Open(Conn);
    RJk.Open(Conn);
    const bool writable = !Conn.ReadOnly();
    typeLink_->SetWritable(writable);
    countLink_->SetWritable(writable);
    commentLink_->SetWritable(writable);
    episodes_->SetReadOnly(!writable);
    ShowReadOnly(!writable);
    SBarPanel->setText(kTotalCaption + " " + QString::number(Name.RecordCount()));
    LoadName();
    ShowTitle();
    watcher_->Watch(Conn.Database());
}

void TCatalogForm::LoadName() {
    // The list reads its rows from the title source when it shows them: a keystroke costs the
    // rows in view, not a copy of every listed title.
    listed_ = std::make_shared<const TListedTitles>(TListedTitles{Name.ShownRows(), Name.ReadCount()});
    const auto readable = [this](const TListedTitles& listed, int row) {
        return listed.ReadCount == Name.ReadCount() && row >= 0 && row < int(listed.Rows.size());
    };
    GV->ListRows(
        int(listed_->Rows.size()),
        [this, readable, listed = listed_](int row) -> std::int64_t {
            return readable(*listed, row) ? Name.IntegerOfRow(listed->Rows[std::size_t(row)], 0) : 0;
        },
        [this, readable, listed = listed_](int row) {
            return readable(*listed, row) ? Name.WideTextOfRow(listed->Rows[std::size_t(row)], 1) : QString();
        });
    Name.First();
}

bool TCatalogForm::ListsView() {
    return listed_ && listed_->ReadCount == Name.ReadCount() && GV->GetRowCount() == int(listed_->Rows.size()) &&
           listed_->Rows == Name.ShownRows();
}

void TCatalogForm::SetTitleFilters(const std::string& id) {
    Series.SetFilter(TFilterExpression::EqualsOf(Series.Definition(), kTitleField, id));
    Series.SetFiltered(true);
    RJk.SetFilter(TFilterExpression::EqualsOf(RJk.Definition(), kIdField, id));
    RJk.SetFiltered(true);
}

void TCatalogForm::ShowTitle() {
    const std::string id = Name.AsText(0);
    // Set first: whoever follows the episodes' reload asks which title they are of.
    const std::string before = std::exchange(shownId_, id);
    try {
        SetTitleFilters(id);
    } catch (const ECatalogError&) {
        // The title's episodes and totals cannot be read (its server is gone): the window stays
        // on the title whose episodes it shows.
        shownId_ = before;
        if (!before.empty() && id != before) {
            try {
                SetTitleFilters(before);
            } catch (const ECatalogError&) {
            }
            ReturnToShownTitle();
        }
        throw;
    }
    ESize->setText(QString::fromStdString(FormatSize(RJk.AsText(1))));
    ETime->setText(QString::fromStdString(FormatDuration(RJk.AsInteger(2))));
}

void TCatalogForm::EFoundChange() {
    if (!Name.Active()) return;
    const bool stored = StoreEdits();
    // The bound boxes show the title the keystroke ends on, once.
    TControlsDisabled held(Name);
    {
        // An edit that could not be stored stays with its title while the list is refilled.
        TRecordSource::THeldEdit keep(Name);
        Name.SetFiltered(false);
        const QString text = EFound->text();
        if (!text.isEmpty()) {
            Name.SetFilter(TFilterExpression::PrefixOf(Name.Definition(), kTitleField, text));
            Name.SetFiltered(true);
        }
        // A keystroke that lists the same titles (a longer prefix they all share) keeps the rows.
        if (ListsView())
            Name.First();
        else
            LoadName();
    }
    if (stored)
        GV->SetCurrentRow(0);
    else
        ReturnToShownTitle();
}

bool TCatalogForm::StoreEdits() {
    TStoring storing(storing_);
    bool stored = false;
    Guarded([&] { stored = TEditStorage::StoreChecked(Series) && TEditStorage::StoreChecked(Name); });
    return stored;
}

void TCatalogForm::NarrowToShownTitle() {
    TControlsDisabled held(Name);
    TRecordSource::THeldEdit keep(Name);
    Name.SetFiltered(false);
    Name.SetFilter(TFilterExpression::EqualsOf(Name.Definition(), kIdField, shownId_));
    Name.SetFiltered(true);
    Name.First();
}

void TCatalogForm::ReturnToShownTitle() {
    if (shownId_.empty()) return;
    NarrowToShownTitle();
    // The list moves back once its own select-cell handling is over.
    QTimer::singleShot(0, this, [this] { SelectShownTitleInList(); });
}

void TCatalogForm::SelectShownTitleInList() {
    const QString id = QString::fromStdString(shownId_);
    for (int r = 0; r < GV->GetRowCount(); ++r) {
        if (GV->GetCellText(0, r) != id) continue;
        if (GV->CurrentRow() == r) return;
        auto handler = std::move(GV->OnSelectCell);
        GV->OnSelectCell = nullptr;
        GV->SetCurrentRow(r);
        GV->OnSelectCell = std::move(handler);
        return;
    }
}

void TCatalogForm::GVSelectCell(int /*ACol*/, int ARow) {
    if (!Name.Active()) return;
    if (!StoreEdits()) {
        ReturnToShownTitle();
        return;
    }
    TControlsDisabled held(Name);
    Name.SetFiltered(false);
    const std::string v = GV->GetCellText(0, ARow).toStdString();
    Name.SetFilter(TFilterExpression::EqualsOf(Name.Definition(), kIdField, v));
    Name.SetFiltered(true);
    Name.First();
    ShowTitle();
}

void TCatalogForm::SeriesCalcFields(TRecordSource& DataSet) {
    TEpisodeFields::Calculate(DataSet);
}

QWidget* TCatalogForm::OpenEpisodeEditor() const {
    // The table edits only its current cell.
    return DBGrid2 ? DBGrid2->indexWidget(DBGrid2->currentIndex()) : nullptr;
}

void TCatalogForm::CommitEpisodeEditor() {
    QWidget* editor = OpenEpisodeEditor();
    if (!editor) return;
    // The text becomes a pending edit; storing it is the caller's, with the boxes' edits.
    const bool atOnce = episodes_->StoresAtOnce();
    episodes_->SetStoresAtOnce(false);
    emit DBGrid2->itemDelegate()->commitData(editor);
    emit DBGrid2->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    episodes_->SetStoresAtOnce(atOnce);
}

void TCatalogForm::StorePendingEdit() {
    if (!Name.Active()) return;
    TStoring storing(storing_);
    TErrorReporter::Guard([this] {
        CommitEpisodeEditor();
        TEditStorage::StoreUnattended({&Series, &Name}, Conn.Path(), kUnattendedStoreMs);
    });
}

void TCatalogForm::FormClose(bool keepList) {
    // Pending edits are stored, not dropped; what cannot be stored is kept in the recovery file.
    StorePendingEdit();
    watcher_->Watch(QSqlDatabase());
    // The list reads its rows from the title source: they are copied in before it closes, unless
    // the window goes too (a closed source reads as empty, never out of bounds).
    if (keepList) GV->KeepListed();
    Name.Close();
    Series.Close();
    RJk.Close();
    Conn.Close();
}

void TCatalogForm::closeEvent(QCloseEvent* event) {
    // A window no one sees cannot ask anyone either.
    if (!unattended_ && isVisible() && Name.Active()) {
        bool mayClose = true;
        {
            TStoring storing(storing_);
            TErrorReporter::Guard([&] {
                CommitEpisodeEditor();
                mayClose = TEditStorage::StoreOnClose({&Series, &Name}, Conn.Path());
            });
        }
        // A signal that came while a question was open ends the program all the same.
        if (!mayClose && !unattended_) {
            event->ignore();
            return;
        }
    }
    TErrorReporter::Guard([this] { FormClose(); });
    event->accept();
}

bool TCatalogForm::Guarded(const std::function<void()>& action) {
    bool done = false;
    const bool guarded = TErrorReporter::Guard([&] {
        try {
            action();
            done = true;
        } catch (const ECatalogError&) {
            if (!Conn.IsOpen() || !Conn.ServerGone()) throw;
            // The watcher says it, once, and notices when the server is back.
            watcher_->Check();
            if (!watcher_->ServerGone()) throw;
        }
    });
    return guarded && done;
}

void TCatalogForm::ShowServerGone(bool gone) {
    SBarServerGone->setVisible(gone);
    SBarServerGone->setToolTip(gone ? Conn.Shown() : QString());
    if (!gone || serverGoneSaid_) {
        serverGoneSaid_ = gone;
        return;
    }
    serverGoneSaid_ = true;
    TErrorReporter::Report(
        Conn.Failure("the server is gone (the connection was lost). Your edits stay in the window; they "
                     "are stored when the server is back (select another title, or Retry on closing)."));
}

bool TCatalogForm::CheckForChanges() {
    return watcher_->Check();
}

bool TCatalogForm::RefreshFromCatalog() {
    if (!Name.Active()) return true;
    // An open cell editor or question would be torn down by a refill: later.
    if (storing_ > 0 || QApplication::activeModalWidget() || OpenEpisodeEditor()) return false;
    Guarded([this] {
        // The boxes show the shown title, or the empty record of a search that lists nothing.
        const bool onShown = Name.HasRecord() && Name.AsText(0) == shownId_;
        {
            TControlsDisabled held(Name);
            TRecordSource::THeldEdit keep(Name);
            Name.Reload();
            Name.SetFiltered(false);
            SBarPanel->setText(kTotalCaption + " " + QString::number(Name.RecordCount()));
            const QString text = EFound->text();
            if (!text.isEmpty()) {
                Name.SetFilter(TFilterExpression::PrefixOf(Name.Definition(), kTitleField, text));
                Name.SetFiltered(true);
            }
            LoadName();
        }
        if (shownId_.empty()) {
            // Nothing was shown (the catalogue was empty): the first title now.
            GV->SetCurrentRow(0);
            return;
        }
        SelectShownTitleInList();
        if (onShown) NarrowToShownTitle();
        Series.Reload();
        RJk.Reload();
        ESize->setText(QString::fromStdString(FormatSize(RJk.AsText(1))));
        ETime->setText(QString::fromStdString(FormatDuration(RJk.AsInteger(2))));
    });
    return true;
}

bool TCatalogForm::SelectTitle(std::int64_t id) {
    if (!Name.Active()) return false;
    const QString key = QString::number(id);
    const auto rowOf = [&] {
        for (int r = 0; r < GV->GetRowCount(); ++r)
            if (GV->GetCellText(0, r) == key) return r;
        return -1;
    };
    int row = rowOf();
    if (row < 0 && !EFound->text().isEmpty()) {
        EFound->clear();
        row = rowOf();
    }
    if (row < 0) return false;
    // The title is chosen for the user, who may not have seen it: it comes into view.
    if (auto* list = dynamic_cast<TGridTitleList*>(GV)) list->Grid().MakeRowVisible(row);
    if (GV->CurrentRow() == row)
        GVSelectCell(1, row);
    else
        GV->SetCurrentRow(row);
    return shownId_ == key.toStdString();
}

std::int64_t TCatalogForm::ShownTitleId() const {
    return QString::fromStdString(shownId_).toLongLong();
}

QString TCatalogForm::ShownTitleName() {
    return Name.Active() && Name.HasRecord() && Name.AsText(0) == shownId_ ? Name.AsWideText(1) : QString();
}

void TCatalogForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The window's size beyond the design (or short of it, down to the minimum): the list, the
    // episodes and the status bar follow the height, the comment, the episodes and the status bar
    // the width.
    const int dw = width() - Scaled(kClient.width());
    const int dh = height() - Scaled(kClient.height());
    auto stretch = [&](QWidget* w, const QRect& r, bool wide, bool tall, bool down) {
        w->setGeometry(Scaled(r.left()), Scaled(r.top()) + (down ? dh : 0),
                       Scaled(r.width()) + (wide ? dw : 0), Scaled(r.height()) + (tall ? dh : 0));
    };
    GV->SetBounds(
        QRect(Scaled(kGV.left()), Scaled(kGV.top()), Scaled(kGV.width()), Scaled(kGV.height()) + dh));
    stretch(EKoment, kEKoment, true, false, false);
    stretch(DBGrid2, kDBGrid2, true, true, false);
    stretch(SBar, kSBar, true, false, true);
}

} // namespace tolvane
