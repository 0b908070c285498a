#include <cmath>
#include <functional>
#include <limits>
#include <typeinfo>

#include <QDate>
#include <gtest/gtest.h>

#include "FakeColumns.h"
#include "grid/host/Bitmap.h"
#include "grid/model/cells/BooleanCell.h"
#include "grid/model/cells/DateTimeCell.h"
#include "grid/model/cells/FloatCell.h"
#include "grid/model/cells/IncrementCell.h"
#include "grid/model/cells/IntegerCell.h"
#include "grid/model/cells/StringCell.h"
#include "grid/model/cells/VirtualCell.h"
#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"

using namespace tolvane;
using namespace tolvane::testing;

namespace {

double Days(int y, int m, int d) {
    return double(QDate(1899, 12, 30).daysTo(QDate(y, m, d)));
}

// ----- Which class each kind makes ------------------------------------------------------------

struct KindCase {
    int kind;
    const std::type_info* append;
    const std::type_info* insertColumn;
    const std::type_info* insertRow;
};

class CellKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(CellKinds, AppendingAndInsertingPickTheClass) {
    const KindCase& c = GetParam();
    GridDataFixture f;
    f.AddColumn(c.kind, clRed);
    f.data.AddRows(1);
    f.data.InsertRow(0);
    TCell* appended = f.data.GetCell(0, 1);
    TCell* insertedRow = f.data.GetCell(0, 0);
    f.columns.columns.insert(f.columns.columns.begin(), FakeColumn{c.kind, clBlue, {}});
    f.data.ColumnsNotify(cnInserted, 0);
    TCell* insertedColumn = f.data.GetCell(0, 0);

    EXPECT_EQ(appended->CellClass(), *c.append);
    EXPECT_EQ(insertedRow->CellClass(), *c.insertRow);
    EXPECT_EQ(insertedColumn->CellClass(), *c.insertColumn);
    // Every new cell takes its column's colour, and placing it raises no change.
    EXPECT_EQ(appended->Color(), clRed);
    EXPECT_EQ(insertedRow->Color(), clRed);
    EXPECT_EQ(insertedColumn->Color(), clBlue);
    EXPECT_FALSE(appended->Initializing());
    EXPECT_TRUE(f.changes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellKinds,
    ::testing::Values(KindCase{0, &typeid(TIncrementCell), &typeid(TIntegerCell), &typeid(TIntegerCell)},
                      KindCase{2, &typeid(TStringCell), &typeid(TStringCell), &typeid(TStringCell)},
                      KindCase{3, &typeid(TBooleanCell), &typeid(TBooleanCell), &typeid(TBooleanCell)},
                      KindCase{4, &typeid(TDateTimeCell), &typeid(TDateTimeCell), &typeid(TDateTimeCell)},
                      KindCase{5, &typeid(TFloatCell), &typeid(TFloatCell), &typeid(TFloatCell)},
                      KindCase{6, &typeid(TIntegerCell), &typeid(TIntegerCell), &typeid(TIntegerCell)},
                      KindCase{7, &typeid(TStringCell), &typeid(TStringCell), &typeid(TStringCell)},
                      KindCase{9, &typeid(TVirtualCell), &typeid(TVirtualCell), &typeid(TStringCell)},
                      KindCase{42, &typeid(TStringCell), &typeid(TStringCell), &typeid(TStringCell)}));

// ----- Reading --------------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    int kind;
    std::function<void(TCell&)> prepare;
    bool asBoolean;
    double asDateTime; // NaN: a conversion error
    double asFloat;
    int asInteger;
    QString text;
};

class CellReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CellReads, EveryReaderConverts) {
    const ReadCase& c = GetParam();
    GridDataFixture f;
    f.AddColumn(c.kind);
    f.data.AddRows(5);
    TCell& cell = *f.data.GetCell(0, 4);
    c.prepare(cell);
    EXPECT_EQ(cell.AsBoolean(), c.asBoolean);
    if (std::isnan(c.asDateTime))
        EXPECT_THROW(cell.AsDateTime(), EConvertError);
    else
        EXPECT_DOUBLE_EQ(cell.AsDateTime(), c.asDateTime);
    EXPECT_DOUBLE_EQ(cell.AsFloat(), c.asFloat);
    EXPECT_EQ(cell.AsInteger(), c.asInteger);
    EXPECT_EQ(cell.Text(), c.text);
}

const double kMarch5 = Days(2024, 3, 5);
const double kNoDate = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cells, CellReads,
    ::testing::Values(
        ReadCase{"Integer", 6, [](TCell& c) { c.SetAsInteger(-7); }, false, 0, -7, -7, "-7"},
        ReadCase{"FloatHalfDown", 5, [](TCell& c) { c.SetAsFloat(2.5); }, false, 2.5, 2.5, 2, "2.5"},
        ReadCase{"FloatHalfUp", 5, [](TCell& c) { c.SetAsFloat(3.5); }, false, 3.5, 3.5, 4, "3.5"},
        ReadCase{"Boolean", 3, [](TCell& c) { c.SetAsBoolean(true); }, true, 0, 0, 0, "True"},
        ReadCase{"DateTime", 4, [](TCell& c) { c.SetAsDateTime(kMarch5 + 0.5); }, false, kMarch5 + 0.5,
                 kMarch5 + 0.5, int(kMarch5), "3/5/2024 12:00:00 PM"},
        ReadCase{"IncrementAtRow4", 0, [](TCell&) {}, false, 0, 5, 5, "5"},
        ReadCase{"StringNumber", 7, [](TCell& c) { c.SetText("12"); }, true, kNoDate, 12, 12, "12"},
        ReadCase{"Virtual", 9,
                 [](TCell& c) {
                     static_cast<TVirtualCell&>(c).OnGetText = [](TVirtualCell&, int a, int b, QString& t) {
                         t = QString::number(a + b);
                     };
                     static_cast<TVirtualCell&>(c).A = 1;
                     static_cast<TVirtualCell&>(c).B = 2;
                 },
                 true, kNoDate, 3, 3, "3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CellReads, StringReadsParseAndFailToTheCaller) {
    GridDataFixture f;
    f.AddColumn(7);
    f.data.AddRows(1);
    TCell& cell = *f.data.GetCell(0, 0);
    cell.SetText("3/5/2024");
    EXPECT_DOUBLE_EQ(cell.AsDateTime(), kMarch5);
    cell.SetText("1.5");
    EXPECT_DOUBLE_EQ(cell.AsFloat(), 1.5);
    EXPECT_THROW(cell.AsInteger(), EConvertError);
    EXPECT_THROW(cell.AsDateTime(), EConvertError);
    cell.SetText("false");
    EXPECT_FALSE(cell.AsBoolean());
    cell.SetText("maybe");
    EXPECT_THROW(cell.AsBoolean(), EConvertError);
}

TEST(CellReads, UnassignedVirtualCellHasEmptyText) {
    GridDataFixture f;
    f.AddColumn(9);
    f.data.AddRows(1);
    EXPECT_EQ(f.data.GetCell(0, 0)->Text(), "");
    EXPECT_THROW(f.data.GetCell(0, 0)->AsInteger(), EConvertError);
}

// ----- Writing --------------------------------------------------------------------------------

struct WriteCase {
    const char* name;
    int kind;
    std::function<void(TCell&)> write;
    // Text afterwards; empty with `throws`.
    std::function<QString()> expected;
    bool throws = false;
};

class CellWrites : public ::testing::TestWithParam<WriteCase> {};

TEST_P(CellWrites, StoresTheConvertedValueAndNotifiesOnce) {
    const WriteCase& c = GetParam();
    GridDataFixture f;
    f.AddColumn(7);
    f.AddColumn(c.kind);
    f.data.AddRows(3);
    TCell& cell = *f.data.GetCell(1, 2);
    // Start from a value no write below gives back by accident.
    if (c.kind == 3) cell.SetAsBoolean(true);
    f.changes.clear();
    if (c.throws) {
        EXPECT_THROW(c.write(cell), EConvertError);
        EXPECT_TRUE(f.changes.empty()) << "a failed conversion notifies nothing";
        return;
    }
    c.write(cell);
    EXPECT_EQ(cell.Text(), c.expected());
    ASSERT_EQ(f.changes.size(), 1u);
    EXPECT_EQ(f.changes[0], std::make_pair(1, 2));
}

auto Is(const char* text) {
    return [s = QString(text)] { return s; };
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellWrites,
    ::testing::Values(
        WriteCase{"StringBoolean", 7, [](TCell& c) { c.SetAsBoolean(true); }, Is("True")},
        WriteCase{"StringDate", 7, [](TCell& c) { c.SetAsDateTime(kMarch5 + 0.25); },
                  Is("3/5/2024 6:00:00 AM")},
        WriteCase{"StringFloat", 7, [](TCell& c) { c.SetAsFloat(2.5); }, Is("2.5")},
        WriteCase{"StringInteger", 7, [](TCell& c) { c.SetAsInteger(-4); }, Is("-4")},
        WriteCase{"StringText", 7, [](TCell& c) { c.SetText("x"); }, Is("x")},
        WriteCase{"IntegerBoolean", 6, [](TCell& c) { c.SetAsBoolean(true); }, Is("0")},
        WriteCase{"IntegerDate", 6, [](TCell& c) { c.SetAsDateTime(5); }, Is("0")},
        WriteCase{"IntegerFloatHalfDown", 6, [](TCell& c) { c.SetAsFloat(2.5); }, Is("2")},
        WriteCase{"IntegerFloatHalfUp", 6, [](TCell& c) { c.SetAsFloat(3.5); }, Is("4")},
        WriteCase{"IntegerFloatNegative", 6, [](TCell& c) { c.SetAsFloat(-2.5); }, Is("-2")},
        WriteCase{"IntegerFloatTooLarge", 6, [](TCell& c) { c.SetAsFloat(1e12); }, Is(""), true},
        WriteCase{"IntegerInteger", 6, [](TCell& c) { c.SetAsInteger(9); }, Is("9")},
        WriteCase{"IntegerEmptyText", 6, [](TCell& c) { c.SetText(""); }, Is("0")},
        WriteCase{"IntegerText", 6, [](TCell& c) { c.SetText("17"); }, Is("17")},
        WriteCase{"IntegerBadText", 6, [](TCell& c) { c.SetText("abc"); }, Is(""), true},
        WriteCase{"FloatBoolean", 5, [](TCell& c) { c.SetAsBoolean(true); }, Is("0")},
        WriteCase{"FloatDate", 5, [](TCell& c) { c.SetAsDateTime(3.25); }, Is("3.25")},
        WriteCase{"FloatFloat", 5, [](TCell& c) { c.SetAsFloat(1.5); }, Is("1.5")},
        WriteCase{"FloatInteger", 5, [](TCell& c) { c.SetAsInteger(12); }, Is("12")},
        WriteCase{"FloatText", 5, [](TCell& c) { c.SetText("2.75"); }, Is("2.75")},
        WriteCase{"FloatEmptyText", 5, [](TCell& c) { c.SetText(""); }, Is(""), true},
        WriteCase{"BooleanBoolean", 3, [](TCell& c) { c.SetAsBoolean(false); }, Is("False")},
        WriteCase{"BooleanDate", 3, [](TCell& c) { c.SetAsDateTime(5); }, Is("False")},
        WriteCase{"BooleanFloatHalf", 3, [](TCell& c) { c.SetAsFloat(0.5); }, Is("True")},
        WriteCase{"BooleanFloatZero", 3, [](TCell& c) { c.SetAsFloat(0); }, Is("False")},
        WriteCase{"BooleanIntegerNegative", 3, [](TCell& c) { c.SetAsInteger(-3); }, Is("False")},
        WriteCase{"BooleanIntegerTwo", 3, [](TCell& c) { c.SetAsInteger(2); }, Is("True")},
        WriteCase{"BooleanTextUpper", 3, [](TCell& c) { c.SetText("TRUE"); }, Is("True")},
        WriteCase{"BooleanTextOne", 3, [](TCell& c) { c.SetText("1"); }, Is("False")},
        WriteCase{"BooleanTextBlank", 3, [](TCell& c) { c.SetText(" true"); }, Is("False")},
        WriteCase{"DateBoolean", 4, [](TCell& c) { c.SetAsBoolean(false); },
                  [] { return DateTimeToStr(Date()); }},
        WriteCase{"DateDate", 4, [](TCell& c) { c.SetAsDateTime(kMarch5); }, Is("3/5/2024")},
        WriteCase{"DateFloat", 4, [](TCell& c) { c.SetAsFloat(kMarch5 + 0.75); }, Is("3/5/2024 6:00:00 PM")},
        WriteCase{"DateInteger", 4, [](TCell& c) { c.SetAsInteger(1); }, Is("12/31/1899")},
        WriteCase{"DateEmptyText", 4, [](TCell& c) { c.SetText(""); }, Is("")},
        WriteCase{"DateGarbage", 4, [](TCell& c) { c.SetText("garbage"); }, nullptr, true},
        WriteCase{"DateText", 4, [](TCell& c) { c.SetText("3/5/2024"); }, Is("3/5/2024")},
        WriteCase{"IncrementBoolean", 0, [](TCell& c) { c.SetAsBoolean(true); }, Is("3")},
        WriteCase{"IncrementDate", 0, [](TCell& c) { c.SetAsDateTime(9); }, Is("3")},
        WriteCase{"IncrementFloat", 0, [](TCell& c) { c.SetAsFloat(9); }, Is("3")},
        WriteCase{"IncrementInteger", 0, [](TCell& c) { c.SetAsInteger(9); }, Is("3")},
        WriteCase{"IncrementText", 0, [](TCell& c) { c.SetText("9"); }, Is("3")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CellWrites, VirtualCellHandsEveryWriteToItsSetTextCallback) {
    GridDataFixture f;
    f.AddColumn(9);
    f.data.AddRows(1);
    auto& cell = static_cast<TVirtualCell&>(*f.data.GetCell(0, 0));
    cell.A = 4;
    cell.B = 5;
    std::vector<QString> stored;
    cell.OnSetText = [&](TVirtualCell& sender, int a, int b, const QString& text) {
        EXPECT_EQ(&sender, &cell);
        EXPECT_EQ(a, 4);
        EXPECT_EQ(b, 5);
        stored.push_back(text);
    };
    cell.SetAsBoolean(true);
    cell.SetAsDateTime(kMarch5);
    cell.SetAsFloat(2.5);
    cell.SetAsInteger(7);
    cell.SetText("t");
    EXPECT_EQ(stored, (std::vector<QString>{"True", "3/5/2024", "2.5", "7", "t"}));
    EXPECT_EQ(f.changes.size(), 5u);
}

TEST(CellWrites, NumericColumnTakesAnIntegerAsText) {
    GridDataFixture f;
    f.AddColumn(5);
    f.AddColumn(7);
    f.data.AddRows(1);
    EXPECT_EQ(f.data.GetCell(0, 0)->CellClass(), typeid(TFloatCell));
    EXPECT_EQ(f.data.GetCell(1, 0)->CellClass(), typeid(TStringCell));
    f.data.GetCell(0, 0)->SetAsInteger(12);
    EXPECT_EQ(f.Text(0, 0), "12");
}

TEST(CellWrites, ColourWriteNotifiesAndClearsSortValid) {
    GridDataFixture f;
    f.AddColumn(7, clRed);
    f.AddTextRows(0, {"b", "a"});
    f.data.SortRows(0, stAlphabetic, false);
    f.changes.clear();
    TCell* cell = f.data.GetCell(0, 1);
    cell->SetColor(clGreen);
    EXPECT_EQ(f.data.GetCellColor(0, 1), clGreen);
    ASSERT_EQ(f.changes.size(), 1u);
    EXPECT_EQ(f.changes[0], std::make_pair(0, 1));
    EXPECT_FALSE(f.data.Cells().SortValid());
}

TEST(CellWrites, PictureFontStyleAndHintAreKeptWithoutNotifying) {
    GridDataFixture f;
    f.AddColumn(2);
    f.data.AddRows(1);
    TCell* cell = f.data.GetCell(0, 0);
    EXPECT_EQ(cell->Picture(), nullptr);
    EXPECT_EQ(cell->Hint(), "");
    EXPECT_FALSE(cell->HasHint());
    const TBitmap bitmap(4, 4);
    const TBitmap* picture = &bitmap;
    cell->SetPicture(picture);
    cell->SetFontStyle({fsBold, fsStrikeOut});
    cell->SetHint("note");
    EXPECT_EQ(cell->Picture(), picture);
    EXPECT_EQ(cell->FontStyle(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(cell->Hint(), "note");
    cell->SetHint("");
    EXPECT_FALSE(cell->HasHint());
    EXPECT_TRUE(f.changes.empty());
}

TEST(CellColours, HooksDecideElseTheCellsOwn) {
    GridDataFixture f;
    f.AddColumn(7, clRed);
    f.data.AddRows(2);
    TCell* cell = f.data.GetCell(0, 1);
    EXPECT_EQ(cell->EffectiveBackground(), clRed);
    EXPECT_EQ(cell->EffectiveTextColor(), clWindowText);
    std::pair<int, int> asked{-1, -1};
    f.data.Cells().GetCellBackground = [&](int c, int r) {
        asked = {c, r};
        return clHighlight;
    };
    f.data.Cells().GetCellTextColor = [](int, int) { return clHighlightText; };
    EXPECT_EQ(cell->EffectiveBackground(), clHighlight);
    EXPECT_EQ(asked, std::make_pair(0, 1));
    EXPECT_EQ(cell->EffectiveTextColor(), clHighlightText);
}

TEST(CellSize, StaysSmall) {
    // A million rows of two columns must stay near a hundred bytes a cell.
    EXPECT_LE(sizeof(TStringCell), 72u);
    EXPECT_LE(sizeof(TFloatCell), 56u);
}

} // namespace

TEST(CellWrites, PictureAndHintAreKeptApart) {
    GridDataFixture f;
    f.AddColumn(7);
    f.data.AddRows(1);
    TCell* cell = f.data.GetCell(0, 0);
    const TBitmap bitmap(2, 2);
    cell->SetHint("note");
    cell->SetPicture(&bitmap);
    cell->SetHint("");
    EXPECT_EQ(cell->Picture(), &bitmap);
    EXPECT_FALSE(cell->HasHint());
    cell->SetHint("again");
    cell->SetPicture(nullptr);
    EXPECT_EQ(cell->Picture(), nullptr);
    EXPECT_EQ(cell->Hint(), "again");
    cell->SetHint("");
    EXPECT_EQ(cell->Hint(), "");
    EXPECT_EQ(cell->Picture(), nullptr);
}
