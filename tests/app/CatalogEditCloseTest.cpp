// Closing the catalogue window while a title cell is being edited in place loses nothing: the
// edit is stored, or when refused the cell stays as it was.
#include <gtest/gtest.h>
#include <memory>

#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/GridTitleList.h"
#include "grid/control/GridView.h"
#include "support/InputSimulator.h"

namespace tolvane {
namespace {

TEST(CatalogEditClose, ClosingTheWindowCommitsTheOpenEdit) {
    for (bool accept : {true, false}) {
        SCOPED_TRACE(accept);
        test::TTestCatalog catalogue;
        catalogue.AddTitle("Akira", "Movie", "1");
        auto form = std::make_unique<TCatalogForm>(catalogue.Path());
        form->show();
        TGridView& grid = static_cast<TGridTitleList*>(form->GV)->Grid();
        // The window's design edits nothing in place; an application that lets it must not
        // lose the edit when the window closes.
        auto& name = grid.Columns()[1];
        name.SetOptions(name.Options() + coEditing);
        grid.OnEditAccept = [&](TCustomGridViewControl*, int, int, const QString&, bool& ok) { ok = accept; };
        test::InputSimulator::ShowAndFocus(grid);
        grid.SetCurrentCell(1, 0, {});
        test::InputSimulator(grid).Type("Bakira");
        ASSERT_TRUE(grid.EditingCell());
        form->close();
        EXPECT_FALSE(grid.EditingCell());
        EXPECT_EQ(grid.GetCellText(1, 0), accept ? "Bakira" : "Akira");
    }
}

} // namespace
} // namespace tolvane
