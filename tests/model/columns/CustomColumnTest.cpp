// The column base: setter rules, notifications, parts, geometry answers and copying.

#include <gtest/gtest.h>

#include "grid/host/Bitmap.h"
#include "grid/base/Errors.h"
#include "model/columns/FakeColumnsOwner.h"

namespace tolvane::testing {
namespace {

struct ThreeColumns : RecordingColumns {
    PlainColumn* col[3];
    ThreeColumns() {
        for (auto& c : col) c = static_cast<PlainColumn*>(&columns.Add(std::make_unique<PlainColumn>()));
        Forget();
    }
};

TEST(CustomColumn, ConstructedDefaults) {
    PlainColumn c;
    EXPECT_EQ(c.Width(), 80);
    EXPECT_EQ(c.Position(), -1);
    EXPECT_EQ(c.CellKind(), 7);
    EXPECT_EQ(c.Options(),
              (TColumnOptions{coCanClick, coCanSort, coCanInput, coEditorAutoSelect, coPublicUsing}));
    EXPECT_TRUE(c.ParentFont());
    EXPECT_TRUE(c.Visible());
    EXPECT_EQ(c.WrapKind(), wkEllipsis);
    EXPECT_EQ(c.VerticalAlignment(), vaMiddle);
    EXPECT_EQ(c.Header().Color(), clBtnFace);
    EXPECT_EQ(c.Footer().Color(), clWindow);
    EXPECT_EQ(c.Footer().FormulaKind(), fkNone);
    EXPECT_EQ(c.Header().DisplayMode(), dmTextOnly);
    ASSERT_NE(c.Display(), nullptr);
    EXPECT_EQ(&c.Display()->Column, &c);
    EXPECT_EQ(c.Play(), nullptr);
    EXPECT_EQ(c.Editor(), nullptr);
}

TEST(CustomColumn, AClassWithoutADisplayCannotBeConstructed) {
    EXPECT_THROW(DisplaylessColumn(), EGridError);
}

TEST(CustomColumn, WidthHasAFloorOfEight) {
    ThreeColumns t;
    t.col[1]->SetWidth(3);
    EXPECT_EQ(t.col[1]->Width(), 8);
    EXPECT_EQ(t.KindsOf(1), std::vector<TColumnChangeKind>{ccWidth});
    EXPECT_EQ(t.col[2]->Left(), 88);
}

TEST(CustomColumn, SortingAnotherColumnUnsortsTheFirst) {
    ThreeColumns t;
    t.col[0]->SetSorted(true);
    t.Forget();

    t.col[2]->SetSorted(true);
    EXPECT_FALSE(t.col[0]->Sorted());
    EXPECT_TRUE(t.col[2]->Sorted());
    EXPECT_EQ(t.changes, (std::vector<std::pair<int, TColumnChangeKind>>{{0, ccUnsorted}, {2, ccSorted}}));

    t.Forget();
    t.col[2]->SetSorted(true);
    EXPECT_TRUE(t.changes.empty());
    t.col[2]->SetSorted(false);
    EXPECT_EQ(t.changes, (std::vector<std::pair<int, TColumnChangeKind>>{{2, ccUnsorted}}));
}

TEST(CustomColumn, OnlyOneSearchColumn) {
    ThreeColumns t;
    t.col[0]->SetOptions(t.col[0]->Options() + coSearchColumn);
    t.col[1]->SetOptions(t.col[1]->Options() + coSearchColumn);
    EXPECT_FALSE(t.col[0]->Options().Contains(coSearchColumn));
    EXPECT_TRUE(t.col[0]->Options().Contains(coCanSort));
    EXPECT_TRUE(t.col[1]->Options().Contains(coSearchColumn));
    EXPECT_EQ(t.KindsOf(0).back(), ccAppearance);
}

TEST(CustomColumn, AppearanceAndSortSettersRaiseTheirKinds) {
    ThreeColumns t;
    auto& c = *t.col[1];
    c.SetAlignment(taCenter);
    c.SetColor(clRed);
    c.SetCursor(5);
    c.SetDrawingOptions(doCustom);
    c.SetInputCaption("in");
    c.SetVerticalAlignment(vaTop);
    c.SetSortKind(skDescending);
    c.SetSortType(stNumeric);
    c.SetInputText("x");
    c.SetDefaultValue("d");
    c.SetWrapKind(wkNone);
    EXPECT_EQ(t.KindsOf(1), (std::vector<TColumnChangeKind>{ccAppearance, ccAppearance, ccAppearance,
                                                            ccAppearance, ccAppearance, ccAppearance,
                                                            ccSortParams, ccSortParams, ccInputValue}));
}

TEST(CustomColumn, FontClearsParentFontAndParentFontTakesTheGridFont) {
    ThreeColumns t;
    auto& c = *t.col[0];
    TFont bold;
    bold.Style = {fsBold};
    c.SetFont(bold);
    EXPECT_FALSE(c.ParentFont());
    EXPECT_EQ(t.KindsOf(0), std::vector<TColumnChangeKind>{ccAppearance});

    t.grid.font.Name = "Grid Sans";
    c.SetParentFont(true);
    EXPECT_TRUE(c.ParentFont());
    EXPECT_EQ(c.Font(), t.grid.font);

    t.grid.font.Height = 20;
    c.UpdateParentFont();
    EXPECT_EQ(c.Font().Height, 20);
    c.SetParentFont(false);
    t.grid.font.Height = 30;
    c.UpdateParentFont();
    EXPECT_EQ(c.Font().Height, 20);
}

TEST(CustomColumn, PartCaptionRepaintsTheStripAndDisplayModeRaisesAppearance) {
    ThreeColumns t;
    t.col[2]->Header().SetCaption("Name");
    EXPECT_EQ(t.grid.invalidated, (std::vector<std::pair<int, TGridArea>>{{2, gaNone}}));
    EXPECT_TRUE(t.changes.empty());

    t.col[2]->Footer().SetFormulaKind(fkSum);
    t.col[2]->Header().SetDisplayMode(dmTextAndImage);
    EXPECT_EQ(t.KindsOf(2), (std::vector<TColumnChangeKind>{ccAppearance, ccAppearance}));
}

TEST(CustomColumn, GlyphTakesItsBottomLeftPixelAsTransparentColour) {
    ThreeColumns t;
    TBitmap glyph(4, 3);
    glyph.SetPixel(0, 2, clBlue);
    glyph.SetPixel(0, 0, clRed);
    t.col[0]->Header().SetGlyph(glyph);
    EXPECT_TRUE(t.col[0]->Header().Glyph().Transparent());
    EXPECT_EQ(t.col[0]->Header().Glyph().TransparentColor(), clBlue);
    EXPECT_EQ(t.KindsOf(0), std::vector<TColumnChangeKind>{ccAppearance});

    // Drawing into the glyph directly follows the same rule.
    t.Forget();
    t.col[0]->Header().Glyph().SetPixel(0, 2, clGreen);
    EXPECT_EQ(t.col[0]->Header().Glyph().TransparentColor(), clGreen);
    EXPECT_FALSE(t.KindsOf(0).empty());
}

TEST(CustomColumn, FooterCopyCarriesTheFormula) {
    PlainColumn target;
    TColumnFooter footer;
    footer.SetCaption("Total");
    footer.SetColor(clRed);
    footer.SetFormulaKind(fkAverage);
    target.SetFooter(footer);
    EXPECT_EQ(target.Footer().Caption(), "Total");
    EXPECT_EQ(target.Footer().Color(), clRed);
    EXPECT_EQ(target.Footer().FormulaKind(), fkAverage);

    TColumnHeader header;
    header.SetCaption("Head");
    target.Footer().CopyFrom(header);
    EXPECT_EQ(target.Footer().Caption(), "Head");
    EXPECT_EQ(target.Footer().FormulaKind(), fkAverage);
}

TEST(CustomColumn, PartRectanglesFollowTheGridBands) {
    ThreeColumns t;
    t.grid.horzPosition = 5;
    auto& c = *t.col[1]; // Left 80, Width 80
    TRect r;
    c.GetPartRect(cpHeader, r);
    EXPECT_EQ(r, (TRect{75, 0, 155, 18}));
    c.GetPartRect(cpFooter, r);
    EXPECT_EQ(r, (TRect{75, 184, 155, 200}));
    c.GetPartRect(cpInput, r);
    EXPECT_EQ(r, (TRect{75, 18, 155, 34}));
    TRect untouched{1, 2, 3, 4};
    c.GetPartRect(2, untouched);
    EXPECT_EQ(untouched, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(c.GetScreenLeft(), 75);
}

TEST(CustomColumn, GridStateAnswers) {
    ThreeColumns t;
    t.grid.current = 1;
    t.grid.pressed = 2;
    t.grid.hot = 0;
    EXPECT_TRUE(t.col[1]->IsCurrentColumn());
    EXPECT_FALSE(t.col[0]->IsCurrentColumn());
    EXPECT_TRUE(t.col[2]->IsPressedHeader());
    EXPECT_FALSE(t.col[1]->IsPressedHeader());
    EXPECT_TRUE(t.col[0]->IsHotHeader());
    EXPECT_EQ(t.col[0]->GetVisiblePlace(), 1);
    EXPECT_EQ(t.col[1]->GetVisiblePlace(), 2);
    EXPECT_EQ(t.col[2]->GetVisiblePlace(), 3);
    EXPECT_FALSE(t.col[0]->IsOnlyVisible());

    t.col[0]->SetVisible(false);
    t.col[2]->SetVisible(false);
    EXPECT_TRUE(t.col[1]->IsOnlyVisible());
    EXPECT_EQ(t.col[1]->GetVisiblePlace(), 0);

    t.Forget();
    t.col[1]->Changed(gaCells);
    EXPECT_EQ(t.grid.invalidated, (std::vector<std::pair<int, TGridArea>>{{1, gaCells}}));
}

TEST(CustomColumn, CopyFromCopiesSortedAndPositionButNotSortType) {
    PlainColumn source;
    source.SetSorted(true);
    source.SetPosition(2);
    source.SetSortType(stNumeric);
    source.SetSortKind(skDescending);
    source.SetWidth(120);
    source.SetDefaultWidth(33);
    source.SetCellKind(5);
    source.SetVisible(false);
    source.Header().SetCaption("Caption");
    source.SetOptions({coAutoSize, coFixedSize});

    PlainColumn target;
    target.CopyFrom(source);
    EXPECT_TRUE(target.Sorted());
    EXPECT_EQ(target.Position(), 2);
    EXPECT_EQ(target.SortKind(), skDescending);
    EXPECT_EQ(target.Width(), 120);
    EXPECT_FALSE(target.Visible());
    EXPECT_EQ(target.Header().Caption(), "Caption");
    EXPECT_EQ(target.Options(), (TColumnOptions{coAutoSize, coFixedSize}));
    EXPECT_EQ(target.SortType(), stAlphabetic);
    EXPECT_EQ(target.DefaultWidth(), 80);
    EXPECT_EQ(target.CellKind(), 7);
}

TEST(CustomColumn, CopyingAnUnplacedColumnIntoAPlacedOneKeepsItsPlace) {
    ThreeColumns t;
    t.columns.Move(0, 2);
    PlainColumn unplaced;
    unplaced.SetWidth(44);
    t.col[1]->CopyFrom(unplaced);
    EXPECT_EQ(t.col[1]->Width(), 44);
    EXPECT_EQ(t.col[1]->Position(), -1);
    EXPECT_EQ(&t.columns.ColumnByPosition(0), t.col[1]);
}

TEST(CustomColumn, AddedColumnTakesTheGridFont) {
    RecordingColumns rc;
    rc.grid.font.Name = "Grid Serif";
    auto& inherits = rc.columns.Add(std::make_unique<PlainColumn>());
    auto own = std::make_unique<PlainColumn>();
    TFont font;
    font.Height = 30;
    own->SetFont(font);
    auto& keeps = rc.columns.Add(std::move(own));
    EXPECT_EQ(inherits.Font().Name, "Grid Serif");
    EXPECT_EQ(keeps.Font().Height, 30);
    EXPECT_TRUE(keeps.Font().Name.isEmpty());
}

TEST(CustomColumn, ColumnReadFromALayoutJoinsAfterItsProperties) {
    RecordingColumns rc;
    rc.columns.Add(std::make_unique<PlainColumn>(10));
    rc.grid.reading = true;
    auto column = std::make_unique<PlainColumn>();
    column->SetCollection(&rc.columns);
    column->SetPosition(0); // stored only while reading
    column->SetSorted(true);
    EXPECT_TRUE(rc.changes.empty()); // not yet a member
    auto& added = rc.columns.Add(std::move(column));
    EXPECT_EQ(added.GetIndex(), 1);
    EXPECT_EQ(&rc.columns.ColumnByPosition(1), &added);
}

} // namespace
} // namespace tolvane::testing
