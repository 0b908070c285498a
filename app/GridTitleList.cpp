#include "app/GridTitleList.h"

#include <QCoreApplication>
#include <QFont>
#include <QMouseEvent>
#include <QWidget>
#include <cmath>

#include "grid/control/GridView.h"
#include "grid/display/base/ColumnDisplay.h"
#include "grid/model/cells/Cell.h"
#include "grid/model/columns/ColumnPart.h"
#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"
#include "grid/base/Errors.h"

namespace tolvane {

namespace {

void SetCommon(TCustomColumn& column, int width, TColumnOptions options) {
    column.SetWidth(width);
    column.SetDefaultWidth(width);
    column.SetOptions(options);
    column.SetSortKind(skAscending);
    column.SetAlignment(taLeftJustify);
    column.SetVerticalAlignment(vaMiddle);
    column.SetWrapKind(wkEllipsis);
    column.SetDrawingOptions(doNormal);
    column.SetColor(clWindow);
    column.Header().SetDisplayMode(dmTextOnly);
    column.Header().SetColor(clBtnFace);
    column.Footer().SetDisplayMode(dmTextOnly);
    column.Footer().SetColor(clWindow);
    column.Footer().SetFormulaKind(fkNone);
}

} // namespace

// The grid whose rows, while listed by callbacks, read their key and name from them.
class TGridTitleList::TListedGrid : public TGridView {
public:
    TIdReader Id;
    TNameReader Name;

    // Runs before a cell of listed rows is written: the rows become stored ones.
    std::function<void()> BeforeWrite;

    bool Listed() const { return bool(Id); }
    void Store() {
        if (Listed() && BeforeWrite) BeforeWrite();
    }

    void SetCellText(int ACol, int ARow, const QString& value) override {
        Store();
        TGridView::SetCellText(ACol, ARow, value);
    }
    // Rows moved, added or gone: the cells, not the row numbers, carry the titles.
    void DeleteRow(int ARow) override {
        Store();
        TGridView::DeleteRow(ARow);
    }
    void InsertRow(int ARow) override {
        Store();
        TGridView::InsertRow(ARow);
    }
    void MoveRow(int fromRow, int toRow) override {
        Store();
        TGridView::MoveRow(fromRow, toRow);
    }
    void ExchangeRows(int row1, int row2) override {
        Store();
        TGridView::ExchangeRows(row1, row2);
    }
    void SortColumn(TCustomColumn& column, bool ascending) override {
        Store();
        TGridView::SortColumn(column, ascending);
    }

    QString GetCellText(int ACol, int ARow) override {
        if (!Listed() || ARow < 0 || ARow >= GetRowCount()) return TGridView::GetCellText(ACol, ARow);
        if (ACol == 0) return QString::number(Id(ARow));
        if (ACol == 1) return Name(ARow);
        return TGridView::GetCellText(ACol, ARow);
    }

    bool PrepareCellCanvas(int ACol, int ARow, TCellState state) override {
        const bool paint = TGridView::PrepareCellCanvas(ACol, ARow, state);
        if (Listed() && ACol == 1)
            if (TColumnDisplay* display = Columns()[ACol].Display()) display->TextValue = Name(ARow);
        return paint;
    }
};

TGridTitleList::TGridTitleList(QWidget* parent, double scale, const QFont& font)
    : grid_(std::make_unique<TListedGrid>()) {
    auto scaled = [scale](int px) { return static_cast<int>(std::lround(px * scale)); };
    TGridView& g = *grid_;
    TFont gridFont;
    gridFont.Name = font.family();
    gridFont.Height = font.pixelSize() > 0 ? font.pixelSize() : scaled(13);
    g.SetFont(gridFont);
    g.SetGridStyle(gsReport);
    g.SetOptions(TGridOptions{goGrid, goIndicator});
    g.SetAppearanceOptions(TAppearanceOptions{aoHideSelection, aoHintMarks});
    g.SetBorderStyle(bsSingle);
    g.ClientWidget()->setAccessibleName(QStringLiteral("Titles"));
    g.SetEnableVisualStyles(true);
    g.SetGridLinesColor(clBtnFace);
    g.SetGridLinesStyle(lsNormal);
    g.SetHeaderSize(scaled(18));
    g.SetHeaderStyle(hsAuto);
    g.SetHideScrollBar(true);
    g.SetHighlightedTextColor(clHighlightText);
    g.SetInputSize(scaled(16));
    g.SetRowSize(scaled(16));
    g.SetSlideSize(scaled(80));
    g.SetSelectionMoveDirection(mdDown);
    g.SetWantReturns(false);
    g.SetAutoScroll(false);
    g.SetColor(clWindow);
    g.SetTabStop(true);

    const TColumnOptions options{coCanClick, coCanSort, coCanInput, coEditorAutoSelect, coPublicUsing};
    auto& id = g.Columns().Add<TNumericColumn>();
    SetCommon(id, scaled(80), options);
    id.SetSortType(stNumeric);
    id.SetDefaultValue("0");
    id.SetIncrement(1);
    id.SetMin(0);
    id.SetMax(0);
    id.SetVisible(false);

    TColumnOptions nameOptions = options;
    nameOptions.Include(coShowTextFitHint);
    auto& name = g.Columns().Add<TTextualColumn>();
    SetCommon(name, scaled(262), nameOptions);
    name.SetSortType(stAlphabetic);
    name.SetAutoExecute(false);
    // The current cell starts in the name column: one in the hidden ID column would leave the
    // focused list without a highlight until a click moved it.
    g.SetCurrentCell(1, 0, TShiftState{});

    grid_->BeforeWrite = [this] { StoreListed(); };
    g.OnSelectCell = [this](TCustomGridViewControl*, int col, int row) {
        if (OnSelectCell) OnSelectCell(col, row);
    };
    g.SetParentWidget(parent);
}

TGridTitleList::~TGridTitleList() {
    if (grid_) {
        grid_->OnSelectCell = nullptr;
        grid_->BeforeWrite = nullptr;
    }
}

TGridView& TGridTitleList::Grid() {
    return *grid_;
}

QWidget* TGridTitleList::Widget() {
    return grid_->Widget();
}

void TGridTitleList::SetBounds(const QRect& bounds) {
    grid_->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
}

void TGridTitleList::Clear() {
    grid_->Id = nullptr;
    grid_->Name = nullptr;
    grid_->Clear();
    ids_.clear();
}

void TGridTitleList::ListRows(int count, TIdReader id, TNameReader name) {
    if (count < 0) throw EListError("Row count out of bounds (" + std::to_string(count) + ")");
    if (!id || !name) throw EListError(std::string("Listed rows need both readers"));
    Clear();
    // The cells stay empty: ending them at the next listing touches no text.
    grid_->AddRows(count);
    grid_->Id = std::move(id);
    grid_->Name = std::move(name);
}

void TGridTitleList::StoreListed() {
    if (!grid_->Listed()) return;
    const TIdReader id = std::move(grid_->Id);
    const TNameReader name = std::move(grid_->Name);
    grid_->Id = nullptr;
    grid_->Name = nullptr;
    const int n = grid_->GetRowCount();
    ids_.assign(static_cast<std::size_t>(n), 0);
    for (int r = 0; r < n; ++r) {
        ids_[static_cast<std::size_t>(r)] = id(r);
        grid_->GetCell(0, r)->SetAsFloat(static_cast<double>(ids_[static_cast<std::size_t>(r)]));
        grid_->SetCellText(1, r, name(r));
    }
}

void TGridTitleList::AddRows(int count) {
    if (count < 0) throw EListError("Row count out of bounds (" + std::to_string(count) + ")");
    StoreListed();
    grid_->AddRows(count);
    ids_.resize(ids_.size() + static_cast<std::size_t>(count), 0);
}

int TGridTitleList::GetRowCount() const {
    return grid_->GetRowCount();
}

void TGridTitleList::CheckCell(int col, int row) const {
    CheckListIndex(col, grid_->Columns().Count(), "Column");
    CheckListIndex(row, grid_->GetRowCount(), "Row");
}

void TGridTitleList::SetIdCell(int row, std::int64_t id) {
    CheckCell(0, row);
    StoreListed();
    // The cell shows the key as near as a double holds it; its text comes from ids_.
    grid_->GetCell(0, row)->SetAsFloat(static_cast<double>(id));
    ids_.at(static_cast<std::size_t>(row)) = id;
}

QString TGridTitleList::GetCellText(int col, int row) const {
    CheckCell(col, row);
    if (grid_->Listed()) return grid_->GetCellText(col, row);
    if (col == 0 && ids_.size() == static_cast<std::size_t>(grid_->GetRowCount()))
        return QString::number(ids_[static_cast<std::size_t>(row)]);
    return grid_->GetCellText(col, row);
}

std::int64_t TGridTitleList::IdAt(int row) const {
    CheckCell(0, row);
    if (grid_->Listed()) return grid_->Id(row);
    if (ids_.size() == static_cast<std::size_t>(grid_->GetRowCount())) return ids_[static_cast<std::size_t>(row)];
    return grid_->GetCellText(0, row).toLongLong();
}

void TGridTitleList::SetCellText(int col, int row, const QString& text) {
    CheckCell(col, row);
    StoreListed();
    if (col == 0) ids_.clear(); // the grid's own text of the keys holds from now on
    grid_->SetCellText(col, row, text);
}

void TGridTitleList::SetCurrentRow(int row) {
    if (grid_->GetRowCount() == 0) return;
    CheckListIndex(row, grid_->GetRowCount(), "Row");
    grid_->SetCurrentRow(row);
}

int TGridTitleList::CurrentRow() const {
    return grid_->GetRowCount() == 0 ? -1 : grid_->Row();
}

void TGridTitleList::ClickRow(int row) {
    CheckListIndex(row, grid_->GetRowCount(), "Row");
    grid_->MakeRowVisible(row);
    const TRect r = grid_->GetCellRect(1, row);
    const QPointF at((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0);
    QWidget* client = grid_->ClientWidget();
    if (!client) return;
    const QPointF global = client->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(client, &press);
    QCoreApplication::sendEvent(client, &release);
}

} // namespace tolvane
