#pragma once
// A grid view set up for tests: a known client size, text columns in the window colour, rows
// filled from a list of texts, and pixel reading after a paint.

#include <memory>

#include <QStringList>

#include "grid/control/GridView.h"
#include "grid/host/SystemColors.h"
#include "grid/model/columns/classes/TextualColumn.h"
#include "support/InputSimulator.h"

namespace tolvane::test {

class GridHarness {
public:
    GridHarness() : grid(std::make_unique<TGridView>()), input(*grid) {
        grid->SetBorderStyle(bsNone);
        grid->SetBounds(0, 0, 300, 170);
    }

    TTextualColumn& AddColumn(int width = 80) {
        auto& column = grid->Columns().Add<TTextualColumn>();
        column.SetColor(clWindow);
        column.SetWidth(width);
        return column;
    }

    // One row per text in column 0 (further columns left empty).
    void AddRows(const QStringList& texts, int col = 0) {
        for (const QString& text : texts) {
            grid->AddRows(1);
            grid->SetCellText(col, grid->GetRowCount() - 1, text);
        }
    }

    void ShowAndFocus() { InputSimulator::ShowAndFocus(*grid); }

    TColor Pixel(int x, int y) {
        grid->PaintNow();
        return grid->SurfacePixel(x, y);
    }

    // Clicks the middle of a data row of the first column.
    void ClickRow(int row, TShiftState shift = {}) {
        const TRect r = grid->GetCellRect(0, row);
        input.Click((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2, shift);
    }

    std::unique_ptr<TGridView> grid;
    InputSimulator input;
};

inline TColor Rgb(TColor c) {
    return ColorToRGB(c);
}

} // namespace tolvane::test
