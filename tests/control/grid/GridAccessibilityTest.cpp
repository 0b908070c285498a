// The grid answers assistive technology as a table: counts, header and cell texts, selection,
// the current cell, and a focus event when a key moves it.
#include <QAccessible>
#include <QWidget>
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/host/AccessibleTableSource.h"

namespace tolvane::test {
namespace {

struct GridTable : ::testing::Test {
    void SetUp() override {
        h.grid->SetOptions({goGrid, goSelectFullRow});
        h.AddColumn().Header().SetCaption("Name");
        h.AddColumn().SetVisible(false);
        TTextualColumn& year = h.AddColumn();
        year.Header().SetCaption("Year");
        year.SetTextBefore("'");
        h.grid->Columns().Move(2, 0); // display order: Year, (hidden), Name
        h.AddRows({"Aria", "Kaiba", "Mushishi"});
        for (int r = 0; r < 3; ++r) h.grid->SetCellText(2, r, QString::number(2005 + r));
        h.ShowAndFocus();
        iface = QAccessible::queryAccessibleInterface(h.grid->ClientWidget());
        ASSERT_NE(iface, nullptr);
        table = iface->tableInterface();
        ASSERT_NE(table, nullptr);
    }
    QString Text(int row, int column) {
        QAccessibleInterface* cell = table->cellAt(row, column);
        return cell ? cell->text(QAccessible::Name) : QStringLiteral("<none>");
    }

    GridHarness h;
    QAccessibleInterface* iface = nullptr;
    QAccessibleTableInterface* table = nullptr;
};

TEST_F(GridTable, ShowsVisibleColumnsInDisplayOrderWithDisplayTexts) {
    EXPECT_EQ(iface->role(), QAccessible::Table);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->columnCount(), 2);
    EXPECT_EQ(table->columnDescription(0), "Year");
    EXPECT_EQ(table->columnDescription(1), "Name");
    EXPECT_EQ(Text(1, 0), "'2006");
    EXPECT_EQ(Text(2, 1), "Mushishi");
    const auto headers = table->cellAt(0, 1)->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(headers.size(), 1);
    EXPECT_EQ(headers[0]->text(QAccessible::Name), "Name");
    EXPECT_EQ(Text(3, 0), "<none>");
    EXPECT_EQ(Text(0, 2), "<none>");
}

TEST_F(GridTable, CellsReadTheGridLive) {
    QAccessibleInterface* cell = table->cellAt(1, 1);
    h.grid->SetCellText(0, 1, "Kaiba (2008)");
    EXPECT_EQ(cell->text(QAccessible::Name), "Kaiba (2008)");
    h.grid->Clear();
    EXPECT_FALSE(cell->isValid());
    EXPECT_EQ(table->rowCount(), 0);
}

std::vector<int> g_focusedChildren;
void Record(QAccessibleEvent* event) {
    if (event->type() == QAccessible::Focus) g_focusedChildren.push_back(event->child());
}

TEST_F(GridTable, AKeyMovesSelectionAndAnnouncesTheFocusedCell) {
    h.ClickRow(0);
    g_focusedChildren.clear();
    SetAccessibleEventObserver(&Record);
    h.input.Key(VK_DOWN);
    SetAccessibleEventObserver(nullptr);

    EXPECT_EQ(table->selectedRows(), QList<int>{1});
    ASSERT_FALSE(g_focusedChildren.empty());
    QAccessibleInterface* focused = iface->child(g_focusedChildren.back());
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->text(QAccessible::Name), "Kaiba");
    EXPECT_EQ(iface->focusChild(), focused);
    EXPECT_TRUE(focused->state().focused);
    EXPECT_TRUE(focused->state().selected);
}

} // namespace
} // namespace tolvane::test
