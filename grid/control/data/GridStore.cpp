#include "grid/control/data/GridStore.h"

#include "grid/model/cells/GridData.h"

namespace tolvane {

TGridStore::TGridStore(const TCellColumnSource* columns) : data_(std::make_unique<TGridData>(columns)) {
    data_->Cells().OnCellsChange = [this](TCells&, int col, int row) {
        if (OnCellsChange) OnCellsChange(col, row);
    };
    data_->Cells().GetCellBackground = [this](int col, int row) {
        return CellBackground ? CellBackground(col, row) : clNone;
    };
    data_->Cells().GetCellTextColor = [this](int col, int row) {
        return CellTextColor ? CellTextColor(col, row) : clNone;
    };
    data_->OnMeasuringRowHeight = [this](int row, int& height) {
        if (OnMeasuringRowHeight) OnMeasuringRowHeight(row, height);
    };
}

TGridStore::~TGridStore() {
    // The cells go with the store; their notifications must not reach a grid being destroyed.
    data_->Cells().OnCellsChange = nullptr;
    data_.reset();
}

void TGridStore::GetCellText(int col, int row, QString& value) {
    data_->GetCellText(col, row, value);
}
void TGridStore::SetCellText(int col, int row, const QString& value) {
    data_->SetCellText(col, row, value);
}
TCell* TGridStore::GetCell(int col, int row) {
    return data_->GetCell(col, row);
}
TColor TGridStore::GetCellColor(int col, int row) {
    return data_->GetCellColor(col, row);
}
int TGridStore::RowCount() const {
    return data_->GetRowCount();
}
int TGridStore::RowRecordCount() const {
    return data_->Rows().Count();
}
int TGridStore::RowHeight(int row) const {
    return data_->GetRowHeight(row);
}
bool TGridStore::IsRowSelected(int row) const {
    return data_->IsRowSelected(row);
}
bool TGridStore::SetRowSelected(int row, bool selected) {
    return data_->SetRowSelected(row, selected);
}

void TGridStore::AddRows(int count, bool useDefaultValues, int rowSize) {
    data_->UseDefaultValues = useDefaultValues;
    data_->RowSize = rowSize;
    data_->AddRows(count);
}

void TGridStore::AddCellRows(int count) {
    data_->AddCellRows(count);
}
void TGridStore::Clear() {
    data_->Clear();
}
void TGridStore::DeleteRow(int row) {
    data_->DeleteRow(row);
}

void TGridStore::InsertRow(int row, int rowSize) {
    data_->RowSize = rowSize;
    data_->InsertRow(row);
}

void TGridStore::MoveRow(int from, int to) {
    data_->MoveRow(from, to);
}
void TGridStore::ExchangeRows(int a, int b) {
    data_->ExchangeRows(a, b);
}
void TGridStore::ColumnsNotify(int kind, int a, int b) {
    data_->ColumnsNotify(kind, a, b);
}
void TGridStore::SortRows(int col, TSortType sortType, bool descending) {
    data_->SortRows(col, sortType, descending);
}

} // namespace tolvane
