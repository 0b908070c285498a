#pragma once
// A column collection reduced to what the cell store asks of it.

#include <vector>

#include "grid/model/cells/CellColumnSource.h"
#include "grid/model/cells/GridData.h"

namespace tolvane::testing {

struct FakeColumn {
    int kind = 7;
    TColor color = clWindow;
    QString defaultValue;
};

class FakeColumns : public TCellColumnSource {
public:
    int ColumnCount() const override { return int(columns.size()); }
    int ColumnCellKind(int index) const override { return columns.at(std::size_t(index)).kind; }
    TColor ColumnColor(int index) const override { return columns.at(std::size_t(index)).color; }
    QString ColumnDefaultValue(int index) const override {
        return columns.at(std::size_t(index)).defaultValue;
    }

    std::vector<FakeColumn> columns;
};

// A grid's data side with columns added the way the collection announces them.
class GridDataFixture {
public:
    GridDataFixture() : data(&columns) {
        data.Cells().OnCellsChange = [this](TCells&, int col, int row) { changes.push_back({col, row}); };
    }

    void AddColumn(int kind, TColor color = clWindow, QString defaultValue = QString()) {
        columns.columns.push_back({kind, color, defaultValue});
        data.ColumnsNotify(0);
    }

    // Appends rows whose cells in column col get the given texts.
    void AddTextRows(int col, const std::vector<QString>& texts) {
        const int first = data.GetRowCount();
        data.AddRows(int(texts.size()));
        for (std::size_t k = 0; k < texts.size(); ++k) data.SetCellText(col, first + int(k), texts[k]);
    }

    QString Text(int col, int row) {
        QString value;
        data.GetCellText(col, row, value);
        return value;
    }

    std::vector<QString> ColumnTexts(int col) {
        std::vector<QString> texts;
        for (int r = 0; r < data.GetRowCount(); ++r) texts.push_back(Text(col, r));
        return texts;
    }

    FakeColumns columns;
    TGridData data;
    std::vector<std::pair<int, int>> changes;
};

} // namespace tolvane::testing
