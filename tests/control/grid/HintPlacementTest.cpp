// Hints open beside the pointer, never under it, and inside the screen: a window opened under a
// resting pointer takes it from the grid on a desktop, and the grid then hides the hint again.
#include <gtest/gtest.h>

#include <string>

#include "GridTestSupport.h"
#include "grid/control/input/CellHint.h"
#include "grid/control/input/TextFitHint.h"
#include "grid/host/HintWindow.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

constexpr int kGap = 2;

struct Placed {
    TRect hint, cell, work;
    TPoint pointer;
};

// A grid whose first cell holds `text` (and `hint` as its cell hint), placed with its top-left at
// `at` on the screen; the pointer rests in the cell `dx` pixels from its left edge.
Placed RestOnCell(GridHarness& h, TPoint at, int width, const QString& text, const QString& hint, int dx,
                  bool cellHint) {
    auto& column = h.AddColumn(width);
    if (cellHint) column.SetOptions(column.Options() - coShowTextFitHint);
    h.AddRows({text});
    if (!hint.isEmpty()) h.grid->GetCell(0, 0)->SetHint(hint.toStdString());
    h.grid->SetBounds(at.X, at.Y, width + 20, 40);
    h.ShowAndFocus();
    const TRect cell = h.grid->GetCellRect(0, 0);
    const TPoint p{cell.Left + dx, (cell.Top + cell.Bottom) / 2};
    h.input.MouseMove(p.X, p.Y);
    const TPoint origin = h.grid->ClientToScreen({0, 0});
    const TPoint pointer = h.grid->ClientToScreen(p);
    return {cellHint ? h.grid->CellHint().ScreenRect() : h.grid->FitHint().ScreenRect(),
            cell.Offset(origin.X, origin.Y), THintWindow::WorkAreaAt(pointer), pointer};
}

} // namespace

TEST(HintPlacement, HintsOpenClearOfTheRestingPointerAndInsideTheScreen) {
    const TRect work = THintWindow::WorkAreaAt({0, 0});
    const QString longText = "A title far too long for its narrow column, shown whole in a hint";
    const struct {
        const char* what;
        TPoint at;
        bool cellHint;
        bool below; // else above the cell
    } cases[] = {
        {"text-fit hint at the top of the screen: below the cell", {work.Left + 10, work.Top + 10}, false, true},
        {"text-fit hint at the bottom of the screen: above the cell", {work.Left + 10, work.Bottom - 40}, false,
         false},
        {"cell hint at the right edge, pushed back over the pointer: below the cell",
         {work.Right - 120, work.Top + 40}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GridHarness h;
        const Placed p = RestOnCell(h, c.at, 100, longText, c.cellHint ? longText : QString(), 60, c.cellHint);
        ASSERT_FALSE(p.hint.IsEmpty()) << "no hint shown";
        EXPECT_FALSE(p.hint.Contains(p.pointer));
        EXPECT_EQ(p.hint.Intersect(p.work), p.hint) << "inside the screen";
        if (c.below)
            EXPECT_EQ(p.hint.Top, p.cell.Bottom + kGap);
        else
            EXPECT_EQ(p.hint.Bottom, p.cell.Top - kGap);
        // Nudging the pointer keeps the one hint where it is.
        const TRect before = p.hint;
        h.input.MouseMove(p.pointer.X - h.grid->ClientToScreen({0, 0}).X + 1,
                          p.pointer.Y - h.grid->ClientToScreen({0, 0}).Y);
        EXPECT_EQ(c.cellHint ? h.grid->CellHint().ScreenRect() : h.grid->FitHint().ScreenRect(), before);
    }
}
