#include "grid/control/GridView.h"

#include <limits>

#include "grid/control/ColumnClassRegistry.h"
#include "grid/control/input/CellHint.h"
#include "grid/control/input/TextFitHint.h"
#include "grid/control/paint/GridInvalidator.h"
#include "grid/display/base/ColumnDisplay.h"
#include "grid/display/base/ColumnPlay.h"
#include "grid/model/cells/Cell.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"
#include "grid/model/columns/classes/ComboBoxColumn.h"
#include "grid/model/columns/classes/DateColumn.h"
#include "grid/model/columns/classes/GraphicColumn.h"
#include "grid/model/columns/classes/HtmlColumn.h"
#include "grid/model/columns/classes/ImageColumn.h"
#include "grid/model/columns/classes/IncrementColumn.h"
#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/model/columns/classes/ProgressColumn.h"
#include "grid/model/columns/classes/RateColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"
#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"

namespace tolvane {

TGridView::TGridView() : data_(&Columns()), cellHint_(std::make_unique<TCellHint>(*this)) {
    TCells& cells = data_.Cells();
    cells.OnCellsChange = [this](TCells&, int col, int row) {
        Invalidator().CellWritten(col, row);
        if (OnChange) OnChange(this, col, row);
    };
    cells.GetCellBackground = [this](int col, int row) { return GetCellBackground(col, row); };
    cells.GetCellTextColor = [this](int col, int row) { return GetCellTextColor(col, row); };
    data_.OnMeasuringRowHeight = [this](int row, int& height) {
        if (OnMeasuringRowHeight) OnMeasuringRowHeight(this, row, height);
    };
    TGridView::RegisterColumnClasses();
}

TGridView::~TGridView() {
    // The cells go with the grid; nothing they do on the way may reach the grid being destroyed.
    TCells& cells = data_.Cells();
    cells.OnCellsChange = nullptr;
    cells.GetCellBackground = nullptr;
    cells.GetCellTextColor = nullptr;
    data_.OnMeasuringRowHeight = nullptr;
}

void TGridView::RegisterColumnClasses() {
    TCustomGridView::RegisterColumnClasses();
    TColumnClassRegistry& registry = ColumnClasses();
    registry.Register<TGraphicColumn>("TGraphicColumn");
    registry.Register<TCheckBoxColumn>("TCheckBoxColumn");
    registry.Register<TDateColumn>("TDateColumn");
    registry.Register<THtmlColumn>("THtmlColumn");
    registry.Register<TImageColumn>("TImageColumn");
    registry.Register<TComboBoxColumn>("TComboBoxColumn");
    registry.Register<TNumericColumn>("TNumericColumn");
    registry.Register<TProgressColumn>("TProgressColumn");
    registry.Register<TRateColumn>("TRateColumn");
    registry.Register<TTextualColumn>("TTextualColumn");
}

bool TGridView::HasRowRecord(int ARow) const {
    return ARow >= 0 && ARow < data_.Rows().Count();
}

// ---- data operations ------------------------------------------------------------------------

QString TGridView::GetCellText(int ACol, int ARow) {
    QString value;
    data_.GetCellText(ACol, ARow, value);
    return value;
}

void TGridView::SetCellText(int ACol, int ARow, const QString& value) {
    data_.SetCellText(ACol, ARow, value);
}

TCell* TGridView::GetCell(int ACol, int ARow) {
    return data_.GetCell(ACol, ARow);
}

TColor TGridView::GetCellColor(int ACol, int ARow) {
    return data_.GetCellColor(ACol, ARow);
}

int TGridView::GetRowCount() const {
    return data_.GetRowCount();
}

int TGridView::GetRowHeight(int ARow) const {
    if (!HasRowRecord(ARow) && ARow >= 0 && ARow < GetRowCount()) return settings_.RowSize;
    return data_.GetRowHeight(ARow);
}

bool TGridView::IsRowSelected(int ARow) const {
    if (!HasRowRecord(ARow) && ARow >= 0 && ARow < GetRowCount()) return false;
    return data_.IsRowSelected(ARow);
}

void TGridView::SetRowSelected(int ARow, bool selected) {
    if (!HasRowRecord(ARow)) return;
    if (data_.SetRowSelected(ARow, selected)) Invalidator().Row(ARow);
}

void TGridView::AddRows(int count) {
    if (count <= 0) return;
    const int first = GetRowCount();
    // Rows appended below the client change nothing on screen but the scroll bar: a long list
    // filled a row at a time must not pay for repaint rectangles at every row.
    const int touched = Has(goGrid) && first > 0 ? first - 1 : first;
    const bool offScreen = geometry_.IsReport() && touched >= geometry_.FirstRowBelowClient();
    data_.UseDefaultValues = Has(goUseDefaultValues);
    data_.RowSize = settings_.RowSize;
    data_.AddRows(count);
    geometry_.RowsAppended(first);
    if (first == 0) Invalidator().Caption();
    if (!offScreen) {
        Invalidator().Rows(first, first + count - 1);
        if (Has(goGrid) && first > 0) Invalidator().Row(first - 1);
    }
    UpdateVertScrollBar();
}

void TGridView::AddCellRows(int count) {
    if (count <= 0) return;
    data_.AddCellRows(count);
    Invalidate();
    UpdateVertScrollBar();
}

void TGridView::Clear() {
    TCustomGridView::Clear();
    const bool hadRows = GetRowCount() > 0;
    data_.Clear();
    InvalidateArea(gaCells);
    if (hadRows) Invalidator().Caption();
    InvalidateArea(gaIndicator);
    UpdateVertScrollBar();
    UpdateHorzScrollBar();
}

void TGridView::DeleteRow(int ARow) {
    CheckListIndex(ARow, GetRowCount(), "Row");
    const int height = GetRowHeight(ARow);
    const int g = geometry_.GridLine();
    const int top = geometry_.RowTop(ARow);
    // Pending repaints travel with the pixels: the current row's old picture is repainted where
    // the shift puts it.
    Invalidator().CurrentRow();
    TCustomGridView::DeleteRow(ARow);
    data_.DeleteRow(ARow);
    ShiftRowsOnScreen(top, -(height + g));
    Invalidator().CurrentRow();
    InvalidateSelection();
    if (GetRowCount() == 0) Invalidator().Caption();
    // The base part counted the row that has just gone.
    UpdateVertScrollBar();
}

void TGridView::InsertRow(int ARow) {
    const bool wasEmpty = GetRowCount() == 0;
    TCustomGridView::InsertRow(ARow);
    data_.RowSize = settings_.RowSize;
    data_.InsertRow(ARow);
    SetCurrentRow(Row() + 1);
    ShiftRowsOnScreen(geometry_.RowTop(ARow), GetRowHeight(ARow) + geometry_.GridLine());
    if (wasEmpty) Invalidator().Caption();
    UpdateVertScrollBar();
}

void TGridView::ShiftRowsOnScreen(int top, int dy) {
    // Slides are not rows of the row height: moving the pixels by one would leave them torn.
    if (!geometry_.IsReport()) {
        InvalidateArea(gaCells);
        return;
    }
    ScrollWindowEx(0, dy, {0, top, ClientWidth(), geometry_.DataBottom()});
}

void TGridView::MoveRow(int fromRow, int toRow) {
    TCustomGridView::MoveRow(fromRow, toRow);
    data_.MoveRow(fromRow, toRow);
    Geometry().ForgetRowWalk(); // the row heights moved with the rows
}

void TGridView::ExchangeRows(int row1, int row2) {
    data_.ExchangeRows(row1, row2);
    Invalidator().Row(row1);
    Invalidator().Row(row2);
}

void TGridView::ColumnsNotify(TColumnsNotification kind, int index1, int index2) {
    TCustomGridView::ColumnsNotify(kind, index1, index2);
    data_.ColumnsNotify(kind, index1, index2);
}

void TGridView::SortColumn(TCustomColumn& column, bool ascending) {
    if (!column.Options().Contains(coCanSort)) return;
    data_.SortRows(column.GetIndex(), column.SortType(), !ascending);
    InvalidateArea(gaCells);
}

void TGridView::CalculateFooters() {
    const int rows = GetRowCount();
    for (int c = 0; c < Columns().Count(); ++c) {
        TCustomColumn& column = Columns()[c];
        const TFormulaKind kind = column.Footer().FormulaKind();
        if (kind == fkNone) continue;
        if (rows == 0) {
            column.Footer().SetCaption("0");
            continue;
        }
        // Counting reads no cell, so a column of any text can be counted.
        if (kind == fkCount) {
            column.Footer().SetCaption(column.FormatText(FloatToStr(rows)));
            continue;
        }
        double value = data_.GetCell(c, 0)->AsFloat();
        for (int r = 1; r < rows; ++r) {
            const double x = data_.GetCell(c, r)->AsFloat();
            if (kind == fkSum || kind == fkAverage)
                value += x;
            else if ((kind == fkMaximum && x > value) || (kind == fkMinimum && x < value))
                value = x;
        }
        if (kind == fkAverage) value /= rows;
        column.Footer().SetCaption(column.FormatText(FloatToStr(value)));
    }
}

// ---- painting -------------------------------------------------------------------------------

void TGridView::DoCellFormating(int ACol, int ARow, TCellState state) {
    TCanvas& canvas = Canvas();
    canvas.Font.Style = data_.GetCell(ACol, ARow)->FontStyle();
    TColor textColor = canvas.Font.Color;
    TFontStyles fontStyle = canvas.Font.Style;
    if (OnCellFormating) OnCellFormating(this, ACol, ARow, textColor, fontStyle, state);
    canvas.Font.Color = textColor;
    canvas.Font.Style = fontStyle;
}

bool TGridView::PrepareCellCanvas(int ACol, int ARow, TCellState state) {
    TCustomGridView::PrepareCellCanvas(ACol, ARow, state);
    TCustomColumn& column = Columns()[ACol];
    TColumnDisplay* display = column.Display();
    TCell* cell = data_.GetCell(ACol, ARow);
    try {
        switch (column.CellKind()) {
        case ckRowNumber:
        case ckInteger:
            display->IntegerValue = cell->AsInteger();
            break;
        case ckPicture:
            display->PictureValue = cell->Picture();
            break;
        case ckBoolean:
            display->BooleanValue = cell->AsBoolean();
            break;
        case ckDateTime:
            // NaN tells the display that the cell holds no date.
            display->DateValue = cell->IsEmpty() ? std::numeric_limits<double>::quiet_NaN() : cell->AsDateTime();
            break;
        case ckFloat:
            display->FloatValue = cell->AsFloat();
            break;
        case ckText:
            display->TextValue = cell->Text();
            break;
        default:
            break;
        }
    } catch (const EConvertError&) {
        // A cell whose text does not read as the column's kind paints as empty.
        display->IntegerValue = 0;
        display->BooleanValue = false;
        display->DateValue = 0;
        display->FloatValue = 0;
    }
    if (cell->HasHint() && Has(aoHintMarks)) display->DrawHintMark();
    return true;
}

// ---- in-cell editing ------------------------------------------------------------------------

void TGridView::PrepareInPlaceEditor(TColumnPlay& play) {
    if (play.Column.CellKind() == ckBoolean)
        play.BooleanValue = data_.GetCell(play.Col, play.Row)->AsBoolean();
}

void TGridView::StoreInPlaceValue(TColumnPlay& play) {
    bool accept = true;
    if (OnEditAccept) OnEditAccept(this, play.Col, play.Row, play.TextValue, accept);
    if (!accept) return;
    if (play.Column.CellKind() == ckBoolean)
        data_.GetCell(play.Col, play.Row)->SetAsBoolean(play.BooleanValue);
    if (OnAfterEdit) OnAfterEdit(this, play.Col, play.Row, play.TextValue);
}

// ---- cell hints -----------------------------------------------------------------------------

void TGridView::MouseMove(TShiftState shift, int x, int y) {
    TCustomGridView::MouseMove(shift, x, y);
    const TCellCoord cell = geometry_.CellAt({x, y});
    const bool real = geometry_.AreaAt({x, y}) == gaCells && cell.Col >= 0 && cell.Col < Columns().Count() &&
                      cell.Row >= 0 && cell.Row < GetRowCount();
    if (real) {
        if (TCell* c = data_.GetCell(cell.Col, cell.Row); c->HasHint()) {
            cellHint_->Show(cell.Col, cell.Row, QString::fromStdString(c->Hint()), {x, y});
            return;
        }
    }
    cellHint_->Hide();
}

void TGridView::MouseLeave() {
    TCustomGridView::MouseLeave();
    cellHint_->Hide();
}

} // namespace tolvane
