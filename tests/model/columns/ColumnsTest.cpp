// The column collection: display order, layout, auto-sizing, moves and notifications.

#include <gtest/gtest.h>

#include "grid/model/cells/Cells.h"
#include "grid/base/Errors.h"
#include "model/columns/FakeColumnsOwner.h"

namespace tolvane::testing {
namespace {

PlainColumn& AddPlain(TColumns& columns, int width, int position = -1) {
    auto column = std::make_unique<PlainColumn>(width);
    column->SetPosition(position);
    return static_cast<PlainColumn&>(columns.Add(std::move(column)));
}

std::vector<TCustomColumn*> DisplayOrder(const TColumns& columns) {
    std::vector<TCustomColumn*> order;
    for (int p = 0; p < columns.Count(); ++p) order.push_back(&columns.ColumnByPosition(p));
    return order;
}

TEST(Columns, AddPlacesBeforeTheFirstGreaterPositionAndLaysOut) {
    RecordingColumns rc;
    auto& a = AddPlain(rc.columns, 10, 0);
    auto& b = AddPlain(rc.columns, 20, 1);
    auto& c = AddPlain(rc.columns, 30, 2);
    auto& d = AddPlain(rc.columns, 40, 1);

    EXPECT_EQ(DisplayOrder(rc.columns), (std::vector<TCustomColumn*>{&a, &b, &d, &c}));
    EXPECT_EQ(a.Left(), 0);
    EXPECT_EQ(b.Left(), 10);
    EXPECT_EQ(d.Left(), 30);
    EXPECT_EQ(c.Left(), 70);
    EXPECT_EQ(d.VisibleIndex(), 2);
    EXPECT_EQ(d.GetIndex(), 3); // creation order is unaffected
    EXPECT_EQ(&rc.columns[3], &d);
}

TEST(Columns, LayoutStartsAtTheDataLeftEdge) {
    RecordingColumns rc;
    rc.grid.dataLeft = 12;
    auto& a = AddPlain(rc.columns, 10);
    auto& b = AddPlain(rc.columns, 20);
    EXPECT_EQ(a.Left(), 12);
    EXPECT_EQ(b.Left(), 22);
}

TEST(Columns, UnnumberedColumnGoesFirstAndKeepsPositionUntilAMove) {
    RecordingColumns rc;
    auto& a = AddPlain(rc.columns, 10, 0);
    auto& b = AddPlain(rc.columns, 20, 1);
    auto& x = AddPlain(rc.columns, 30);

    EXPECT_EQ(DisplayOrder(rc.columns), (std::vector<TCustomColumn*>{&x, &a, &b}));
    EXPECT_EQ(x.Left(), 0);
    EXPECT_EQ(a.Left(), 30);
    EXPECT_EQ(x.Position(), -1);

    rc.columns.Move(1, 2);
    EXPECT_EQ(DisplayOrder(rc.columns), (std::vector<TCustomColumn*>{&x, &b, &a}));
    EXPECT_EQ(x.Position(), 0);
    EXPECT_EQ(b.Position(), 1);
    EXPECT_EQ(a.Position(), 2);
    EXPECT_EQ(a.Left(), 50);
}

TEST(Columns, MoveRaisesPositionChangeForTheMovedColumn) {
    RecordingColumns rc;
    AddPlain(rc.columns, 10);
    AddPlain(rc.columns, 10);
    auto& c = AddPlain(rc.columns, 10);
    rc.Forget();

    rc.columns.Move(2, 0);
    EXPECT_EQ(&rc.columns.ColumnByPosition(0), &c);
    EXPECT_EQ(rc.changes, (std::vector<std::pair<int, TColumnChangeKind>>{{2, ccPosition}}));

    rc.Forget();
    rc.columns.Move(1, 1);
    EXPECT_TRUE(rc.changes.empty());
}

TEST(Columns, SettingPositionMovesEvenAnUnnumberedColumn) {
    RecordingColumns rc;
    auto& a = AddPlain(rc.columns, 10);
    auto& b = AddPlain(rc.columns, 20);
    auto& c = AddPlain(rc.columns, 30);

    a.SetPosition(2);
    EXPECT_EQ(DisplayOrder(rc.columns), (std::vector<TCustomColumn*>{&b, &c, &a}));
    EXPECT_EQ(a.Position(), 2);
    EXPECT_EQ(b.Left(), 0);
    EXPECT_EQ(a.Left(), 50);
    EXPECT_EQ(rc.KindsOf(0).back(), ccPosition);
}

TEST(Columns, PositionIsOnlyStoredWhileTheGridIsReading) {
    RecordingColumns rc;
    auto& a = AddPlain(rc.columns, 10);
    auto& b = AddPlain(rc.columns, 20);
    rc.grid.reading = true;
    a.SetPosition(1);
    EXPECT_EQ(DisplayOrder(rc.columns), (std::vector<TCustomColumn*>{&a, &b}));
    EXPECT_EQ(a.Position(), 1);
}

TEST(Columns, OutOfRangeIndexesAndPositionsAreListErrors) {
    RecordingColumns rc;
    auto& a = AddPlain(rc.columns, 10);
    AddPlain(rc.columns, 10);
    EXPECT_THROW(rc.columns[2], EListError);
    EXPECT_THROW(rc.columns[-1], EListError);
    EXPECT_THROW(rc.columns.ColumnByPosition(2), EListError);
    EXPECT_THROW(rc.columns.Move(0, 5), EListError);
    EXPECT_THROW(rc.columns.Move(-1, 0), EListError);
    EXPECT_THROW(a.SetPosition(7), EListError);
    EXPECT_THROW(rc.columns.ColumnCellKind(2), EListError);
}

TEST(Columns, HidingShiftsTheColumnsToTheRight) {
    RecordingColumns rc;
    auto& a = AddPlain(rc.columns, 10);
    auto& b = AddPlain(rc.columns, 20);
    auto& c = AddPlain(rc.columns, 30);
    rc.Forget();

    b.SetVisible(false);
    EXPECT_EQ(b.VisibleIndex(), -1);
    EXPECT_EQ(b.Left(), 10);
    EXPECT_EQ(c.Left(), 10);
    EXPECT_EQ(c.VisibleIndex(), 1);
    EXPECT_EQ(rc.columns.VisibleCount(), 2);
    EXPECT_EQ(rc.columns.VisibleWidth(), 40);
    EXPECT_EQ(rc.KindsOf(1), std::vector<TColumnChangeKind>{ccVisibility});
    EXPECT_EQ(a.GetVisiblePlace(), 1);
    EXPECT_EQ(c.GetVisiblePlace(), 3);

    b.SetVisible(true);
    EXPECT_EQ(c.Left(), 30);
    EXPECT_EQ(b.GetVisiblePlace(), 2);
}

TEST(Columns, AutoSizeSharesTheFreeWidth) {
    RecordingColumns rc;
    rc.grid.dataLeft = 12;        // goIndicator in gsReport
    rc.grid.availableWidth = 488; // client 500 less the indicator
    AddPlain(rc.columns, 100);
    auto column = std::make_unique<PlainColumn>(80);
    column->SetOptions(column->Options() + coAutoSize);
    auto& autoSized = rc.columns.Add(std::move(column));

    EXPECT_EQ(autoSized.Width(), 388);
    EXPECT_EQ(autoSized.Left(), 112);
    EXPECT_EQ(rc.KindsOf(1), std::vector<TColumnChangeKind>{ccWidth});

    // A wider fixed column leaves less for the auto-sized one to its right.
    rc.columns[0].SetWidth(150);
    EXPECT_EQ(autoSized.Width(), 338);
    EXPECT_EQ(autoSized.Left(), 162);
}

TEST(Columns, AutoSizeRoundsHalvesToEven) {
    RecordingColumns rc;
    rc.grid.availableWidth = 42;
    rc.grid.reading = true; // no auto-sizing while the columns are added
    auto& a = AddPlain(rc.columns, 30);
    auto& b = AddPlain(rc.columns, 10);
    a.SetOptions({coAutoSize});
    b.SetOptions({coAutoSize});
    rc.grid.reading = false;

    rc.columns.AutoSize();
    EXPECT_EQ(a.Width(), 32); // 31.5
    EXPECT_EQ(b.Width(), 10); // 10.5
}

TEST(Columns, AutoSizeFromAColumnLeavesTheColumnsBeforeIt) {
    RecordingColumns rc;
    rc.grid.availableWidth = 300;
    rc.grid.reading = true;
    auto& a = AddPlain(rc.columns, 50);
    auto& b = AddPlain(rc.columns, 50);
    auto& c = AddPlain(rc.columns, 50);
    a.SetOptions({coAutoSize});
    b.SetOptions({coAutoSize});
    c.SetOptions({coAutoSize});
    rc.grid.reading = false;

    rc.columns.AutoSize(&b, true);
    EXPECT_EQ(a.Width(), 50);
    EXPECT_EQ(b.Width(), 125);
    EXPECT_EQ(c.Width(), 125);

    rc.columns.AutoSize(&b, false);
    EXPECT_EQ(b.Width(), 125);
    EXPECT_EQ(c.Width(), 125);
    a.SetWidth(100); // the auto-sized columns after it absorb the change
    EXPECT_EQ(b.Width(), 100);
    EXPECT_EQ(c.Width(), 100);
}

TEST(Columns, OptionsAndVisibilityRunTheAutoSizing) {
    RecordingColumns rc;
    rc.grid.availableWidth = 488;
    auto& fixed = AddPlain(rc.columns, 100);
    auto& other = AddPlain(rc.columns, 80);
    EXPECT_EQ(other.Width(), 80);

    other.SetOptions(other.Options() + coAutoSize);
    EXPECT_EQ(other.Width(), 388);
    fixed.SetVisible(false);
    EXPECT_EQ(other.Width(), 488);
    EXPECT_EQ(other.Left(), 0);
}

TEST(Columns, AutoSizeNeverGoesBelowTheMinimumWidth) {
    RecordingColumns rc;
    rc.grid.availableWidth = 50;
    AddPlain(rc.columns, 100);
    auto column = std::make_unique<PlainColumn>(80);
    column->SetOptions({coAutoSize});
    auto& squeezed = rc.columns.Add(std::move(column));
    EXPECT_EQ(squeezed.Width(), 8);
}

TEST(Columns, AddAndClearNotifyTheGridAndTheStore) {
    RecordingColumns rc;
    AddPlain(rc.columns, 10);
    AddPlain(rc.columns, 10);
    EXPECT_EQ(rc.notifications, (std::vector<TColumnsNotification>{cnAdded, cnAdded}));
    EXPECT_EQ(rc.collectionChanges, (std::vector<TColumnsNotification>{cnAdded, cnAdded}));

    rc.Forget();
    rc.columns.Clear();
    EXPECT_EQ(rc.columns.Count(), 0);
    EXPECT_EQ(rc.notifications, std::vector<TColumnsNotification>{cnCleared});
    EXPECT_EQ(rc.collectionChanges, std::vector<TColumnsNotification>{cnCleared});
    EXPECT_THROW(rc.columns.ColumnByPosition(0), EListError);
}

TEST(Columns, ServesTheCellStoreByIndex) {
    RecordingColumns rc;
    auto& a = AddPlain(rc.columns, 10, 1);
    auto& b = AddPlain(rc.columns, 10, 0);
    a.SetColor(clRed);
    a.SetDefaultValue("x");
    b.SetCellKind(5);
    const TCellColumnSource& source = rc.columns;
    EXPECT_EQ(source.ColumnCount(), 2);
    EXPECT_EQ(source.ColumnColor(0), clRed);
    EXPECT_EQ(source.ColumnDefaultValue(0), "x");
    EXPECT_EQ(source.ColumnCellKind(0), 7);
    EXPECT_EQ(source.ColumnCellKind(1), 5);
}

TEST(Columns, RefusesAColumnBeyondWhatTheCellStoreHolds) {
    RecordingColumns rc;
    TCells cells(&rc.columns);
    rc.columns.OnColumnsNotify = [&](TColumnsNotification k, int a, int b) { cells.ColumnsNotify(k, a, b); };
    for (int c = 0; c < TCells::MaxColumns; ++c) AddPlain(rc.columns, 10);
    EXPECT_THROW(AddPlain(rc.columns, 10), EGridError);
    // The collection and the store still agree, so every column has its cells.
    EXPECT_EQ(rc.columns.Count(), TCells::MaxColumns);
    EXPECT_EQ(cells.ColumnCount(), TCells::MaxColumns);
}

} // namespace
} // namespace tolvane::testing
