// Ctrl+C and Ctrl+Insert copy what is selected, as the columns display it, as text and HTML.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/host/Clipboard.h"

namespace tolvane::test {
namespace {

struct CopyCase {
    const char* name;
    bool fullRow;
    std::vector<int> ctrlClickedRows; // after a plain click on row 1
    int copyKey;
    QString text;
};

class GridCopy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(GridCopy, CopiesTheSelectionAsDisplayed) {
    const CopyCase& c = GetParam();
    GridHarness h;
    if (c.fullRow) h.grid->SetOptions({goGrid, goSelectFullRow, goMultiSelect});
    h.AddColumn();
    TTextualColumn& price = h.AddColumn();
    price.SetTextAfter(" €");
    h.AddColumn().SetVisible(false);
    h.grid->Columns().Move(1, 0); // display order: price, name
    h.AddRows({"Aria", "Kaiba", "Mushi\tshi"});
    for (int r = 0; r < 3; ++r) {
        h.grid->SetCellText(1, r, QString::number(10 * (r + 1)));
        h.grid->SetCellText(2, r, "hidden");
    }
    h.ShowAndFocus();
    SetClipboardText("before");

    h.ClickRow(1);
    for (int row : c.ctrlClickedRows) h.ClickRow(row, TShiftState{ssCtrl});
    h.input.Key(c.copyKey, TShiftState{ssCtrl});

    EXPECT_EQ(ClipboardText(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, GridCopy,
    ::testing::Values(
        CopyCase{"CurrentCellOutsideFullRowMode", false, {}, 'C', "Kaiba\n"},
        CopyCase{"CurrentRowInFullRowMode", true, {}, 'C', "20 €\tKaiba\n"},
        CopyCase{"SelectedRowsInRowOrder", true, {2, 0}, VK_INSERT,
                 "10 €\tAria\n20 €\tKaiba\n30 €\tMushi shi\n"},
        CopyCase{"DeselectedRowIsLeftOut", true, {2, 1}, 'C', "30 €\tMushi shi\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridCopyHtml, EscapesCellTextInATable) {
    GridHarness h;
    h.AddColumn();
    h.AddRows({"<b>Tom & Jerry</b>"});
    h.ShowAndFocus();
    h.input.Key('C', TShiftState{ssCtrl});
    EXPECT_EQ(ClipboardHtml(), "<table><tr><td>&lt;b&gt;Tom &amp; Jerry&lt;/b&gt;</td></tr></table>");
}

TEST(GridCopyHtml, AnEmptyGridLeavesTheClipboardAlone) {
    GridHarness h;
    h.AddColumn();
    h.ShowAndFocus();
    SetClipboardText("kept");
    EXPECT_FALSE(h.grid->CopyToClipboard());
    h.input.Key('C', TShiftState{ssCtrl});
    EXPECT_EQ(ClipboardText(), "kept");
}

} // namespace
} // namespace tolvane::test
