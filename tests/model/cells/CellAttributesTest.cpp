// Colours, pictures and hints are kept by the store beside the cells: they must follow their
// cell through every row change, survive a full palette, and leave with the cell.
#include <memory>
#include <new>

#include <gtest/gtest.h>

#include "FakeColumns.h"
#include "grid/base/Errors.h"
#include "grid/host/Bitmap.h"
#include "grid/model/cells/FloatCell.h"
#include "grid/model/cells/StringCell.h"

using namespace tolvane;
using namespace tolvane::testing;

namespace {

// Row r gets colour r + 1 (distinct beyond the palette's 255), a hint on every third row and a
// picture on every fifth.
constexpr int Rows = 400;

void Mark(GridDataFixture& f, const TBitmap& picture) {
    for (int r = 0; r < Rows; ++r) {
        TCell* cell = f.data.GetCell(0, r);
        cell->SetText(QString::number(r));
        cell->SetColor(TColor(r + 1));
        if (r % 3 == 0) cell->SetHint("hint " + std::to_string(r));
        if (r % 5 == 0) cell->SetPicture(&picture);
    }
}

void ExpectMarksFollowTheText(GridDataFixture& f, const TBitmap& picture) {
    for (int r = 0; r < f.data.GetRowCount(); ++r) {
        TCell* cell = f.data.GetCell(0, r);
        const int was = cell->Text().toInt();
        SCOPED_TRACE(was);
        EXPECT_EQ(cell->Color(), TColor(was + 1));
        EXPECT_EQ(cell->Hint(), was % 3 == 0 ? "hint " + std::to_string(was) : "");
        EXPECT_EQ(cell->Picture(), was % 5 == 0 ? &picture : nullptr);
    }
}

} // namespace

TEST(CellAttributes, FollowTheirCellThroughRowChangesAndLeaveWithIt) {
    const TBitmap picture(2, 2);
    const std::vector<std::pair<const char*, std::function<void(TGridData&)>>> changes = {
        {"sort descending", [](TGridData& d) { d.Cells().SortRows(0, stNumeric, true); }},
        {"exchange", [](TGridData& d) { d.Cells().ExchangeRows(0, Rows - 1); }},
        {"move", [](TGridData& d) { d.Cells().MoveRow(3, 250); }},
        {"insert", [](TGridData& d) { d.Cells().InsertRow(7); }},
        {"delete", [](TGridData& d) { d.Cells().DeleteRow(9); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        GridDataFixture f;
        f.AddColumn(ckText);
        f.data.AddRows(Rows);
        Mark(f, picture);
        change(f.data);
        // An inserted row's text is empty and reads as row 0's marks unless it is skipped.
        if (std::string(name) == "insert") f.data.Cells().DeleteRow(7);
        ExpectMarksFollowTheText(f, picture);
        f.data.Cells().ClearRows();
        EXPECT_EQ(f.data.Cells().Attributes().EntryCount(), 0u);
    }
}

TEST(CellAttributes, ACellsStoreIsFoundFromTheCellAndACellOutsideOneRefusesMarks) {
    GridDataFixture f;
    f.AddColumn(ckFloat);
    f.data.AddRows(3);
    EXPECT_EQ(f.data.GetCell(0, 2)->Owner(), &f.data.Cells());
    f.data.GetCell(0, 2)->SetAsFloat(1.5);
    ASSERT_FALSE(f.changes.empty());
    EXPECT_EQ(f.changes.back(), std::make_pair(0, 2));

    TStringCell loose;
    EXPECT_EQ(loose.Owner(), nullptr);
    EXPECT_EQ(loose.Color(), clWindow);
    EXPECT_THROW(loose.SetColor(clRed), EGridError);
    EXPECT_THROW(loose.SetHint("x"), EGridError);
    loose.SetHint(""); // clearing what is not there needs no store
    loose.SetFontStyle(TFontStyles{fsItalic}); // kept beside the cell, not in a store
    EXPECT_EQ(loose.FontStyle(), TFontStyles{fsItalic});
    EXPECT_TRUE(loose.Initializing());
    loose.SetText("kept");
    EXPECT_EQ(loose.Text(), "kept");
}

TEST(CellAttributes, LooseCellsMadeAnyWayWorkBesideAStoreAndKeepOnlyTheirOwnStyle) {
    GridDataFixture f;
    f.AddColumn(ckText);
    f.data.AddRows(2);
    f.data.GetCell(0, 1)->SetFontStyle(TFontStyles{fsBold});
    struct THolder {
        TFloatCell cell;
    } holder;
    auto made = std::make_unique<TFloatCell>();
    TStringCell onStack;
    for (TCell* loose : {static_cast<TCell*>(&holder.cell), static_cast<TCell*>(made.get()),
                         static_cast<TCell*>(&onStack)}) {
        loose->SetText("12");
        EXPECT_EQ(loose->AsInteger(), 12);
        EXPECT_EQ(loose->Owner(), nullptr);
        EXPECT_EQ(loose->Row(), 0);
        EXPECT_EQ(loose->CellClass(), typeid(*loose));
        EXPECT_EQ(loose->FontStyle(), TFontStyles{});
    }
    holder.cell.SetFontStyle(TFontStyles{fsUnderline});
    EXPECT_EQ(holder.cell.FontStyle(), TFontStyles{fsUnderline});
    EXPECT_EQ(made->FontStyle(), TFontStyles{});
    EXPECT_EQ(f.data.GetCell(0, 0)->FontStyle(), TFontStyles{});
    EXPECT_EQ(f.data.GetCell(0, 1)->FontStyle(), TFontStyles{fsBold});
    EXPECT_TRUE(f.changes.empty()); // no loose write reached the store

    // The store's cells still find their place and notify.
    f.data.GetCell(0, 1)->SetText("x");
    ASSERT_EQ(f.changes.size(), 1u);
    EXPECT_EQ(f.changes.back(), std::make_pair(0, 1));

    // A cell made where a styled loose cell ended starts plain.
    alignas(TFloatCell) unsigned char room[sizeof(TFloatCell)];
    auto* first = new (room) TFloatCell;
    first->SetFontStyle(TFontStyles{fsStrikeOut});
    first->~TFloatCell();
    auto* second = new (room) TFloatCell;
    EXPECT_EQ(second->FontStyle(), TFontStyles{});
    second->~TFloatCell();
}

TEST(CellAttributes, CellsStaySmall) {
    // What a million-row grid pays per cell beside its value: the vtable pointer (and two bytes
    // of marks in its block's side table).
    EXPECT_EQ(sizeof(TFloatCell), 16u);
    EXPECT_EQ(sizeof(TStringCell), 8u + sizeof(QString));
}
