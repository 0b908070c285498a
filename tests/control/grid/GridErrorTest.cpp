// A failure inside the grid's event handling reaches the application's error sink and the grid
// carries on; it never unwinds through Qt's event loop.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/host/ExceptionSink.h"

namespace tolvane::test {
namespace {

TEST(GridErrors, ASortThatCannotReadACellIsReportedAndChangesNothing) {
    GridHarness h;
    TTextualColumn& numbers = h.AddColumn();
    numbers.SetSortType(stNumeric);
    h.grid->AddRows(3);
    h.grid->SetCellText(0, 0, "3");
    h.grid->SetCellText(0, 2, "1"); // row 1 stays empty: no number to sort by
    h.ShowAndFocus();

    QStringList reported;
    TExceptionSink previous = SetExceptionSink([&](const QString& m) { reported << m; });
    h.input.Click(40, 9); // the middle of the header cell
    SetExceptionSink(previous);

    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains("not a valid floating point value")) << reported[0].toStdString();
    EXPECT_EQ(h.grid->GetCellText(0, 0), "3");
    EXPECT_EQ(h.grid->GetCellText(0, 2), "1");
    h.input.Key(VK_DOWN); // still answering
    EXPECT_EQ(h.grid->Row(), 1);
}

} // namespace
} // namespace tolvane::test
