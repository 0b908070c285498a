// The window follows the title list when the user moves through it with the keys and the mouse:
// real input events reach the grid, which raises its select-cell event.
#include <QAbstractItemModel>
#include <QLineEdit>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

#include "support/InputSimulator.h"
#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/GridTitleList.h"
#include "grid/control/GridView.h"

namespace tolvane {
namespace {

class CatalogNavigationTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto a = catalogue.AddTitle("Akira", "Movie", "1");
        const auto b = catalogue.AddTitle("Berserk", "TV", "25");
        const auto c = catalogue.AddTitle("Claymore", "TV", "26");
        catalogue.AddEpisode(a, {"akira.mkv", 4'000'000'000LL, 1920, 1040, 7'440'000});
        catalogue.AddEpisode(b, {"berserk01.mkv", 350'000'000LL, 640, 480, 1'440'000});
        catalogue.AddEpisode(c, {"claymore01.mkv", 360'000'000LL, 1280, 720, 1'420'000});
        form = std::make_unique<TCatalogForm>(catalogue.Path());
        grid = &static_cast<TGridTitleList*>(form->GV)->Grid();
        test::InputSimulator::ShowAndFocus(*grid);
    }

    QString FirstEpisode() const { return form->DBGrid2->model()->index(0, 0).data().toString(); }
    // The middle of the name cell of a row, in the grid's client coordinates.
    TPoint NameCell(int row) const {
        const TRect r = grid->GetCellRect(1, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    test::TTestCatalog catalogue;
    std::unique_ptr<TCatalogForm> form;
    TGridView* grid = nullptr;
};

TEST_F(CatalogNavigationTest, KeysMoveTheShownTitle) {
    test::InputSimulator input(*grid);
    ASSERT_EQ(FirstEpisode(), "akira.mkv");

    input.Key(VK_DOWN);
    EXPECT_EQ(grid->GetCurrentRow(), 1);
    EXPECT_EQ(FirstEpisode(), "berserk01.mkv");
    EXPECT_EQ(form->ECount->text(), "25");

    input.Key(VK_END);
    EXPECT_EQ(FirstEpisode(), "claymore01.mkv");
    input.Key(VK_HOME);
    EXPECT_EQ(FirstEpisode(), "akira.mkv");
    EXPECT_EQ(form->ECount->text(), "1");
}

TEST_F(CatalogNavigationTest, ClickingATitleShowsIt) {
    test::InputSimulator input(*grid);
    const TPoint third = NameCell(2);
    input.Click(third.X, third.Y);
    EXPECT_EQ(grid->GetCurrentRow(), 2);
    EXPECT_EQ(FirstEpisode(), "claymore01.mkv");
    EXPECT_EQ(form->ECount->text(), "26");

    const TPoint first = NameCell(0);
    input.Click(first.X, first.Y);
    EXPECT_EQ(FirstEpisode(), "akira.mkv");
}

TEST_F(CatalogNavigationTest, ClickBelowTheLastTitleChangesNothing) {
    test::InputSimulator input(*grid);
    input.Key(VK_DOWN);
    const TPoint below = NameCell(6); // an empty row under the list
    input.Click(below.X, below.Y);
    EXPECT_EQ(FirstEpisode(), "berserk01.mkv");
}

} // namespace
} // namespace tolvane
