// The eleven column classes: what each makes of its cells, its own settings, texts, keys, copies.

#include <functional>

#include <gtest/gtest.h>

#include "grid/host/Bitmap.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"
#include "grid/model/columns/classes/ComboBoxColumn.h"
#include "grid/model/columns/classes/DateColumn.h"
#include "grid/model/columns/classes/GraphicColumn.h"
#include "grid/model/columns/classes/HtmlColumn.h"
#include "grid/model/columns/classes/ImageColumn.h"
#include "grid/model/columns/classes/IncrementColumn.h"
#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/model/columns/classes/ProgressColumn.h"
#include "grid/model/columns/classes/RateColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"
#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/base/Locale.h"
#include "model/columns/FakeColumnsOwner.h"

namespace tolvane::testing {
namespace {

struct ClassCase {
    const char* name;
    std::function<std::unique_ptr<TCustomColumn>()> make;
    int cellKind;
    TSortType sortType;
    const char* defaultValue;
    bool hasPlay;
    bool textFitHint;
};

void PrintTo(const ClassCase& c, std::ostream* os) {
    *os << c.name;
}

template <class T>
std::unique_ptr<TCustomColumn> Make() {
    return std::make_unique<T>();
}

class ColumnClass : public ::testing::TestWithParam<ClassCase> {};

TEST_P(ColumnClass, CellKindSortTypeDefaultValueAndAttachedObjects) {
    const ClassCase& c = GetParam();
    auto column = c.make();
    EXPECT_EQ(column->CellKind(), c.cellKind);
    EXPECT_EQ(column->SortType(), c.sortType);
    EXPECT_EQ(column->DefaultValue(), QString(c.defaultValue));
    ASSERT_NE(column->Display(), nullptr);
    EXPECT_EQ(&column->Display()->Column, column.get());
    EXPECT_EQ(column->Play() != nullptr, c.hasPlay);
    EXPECT_EQ(column->Options().Contains(coShowTextFitHint), c.textFitHint);
    EXPECT_TRUE(column->Options().Contains(coCanSort)); // base options kept
    EXPECT_EQ(column->Width(), 80);
}

INSTANTIATE_TEST_SUITE_P(
    AllClasses, ColumnClass,
    ::testing::Values(ClassCase{"CheckBox", Make<TCheckBoxColumn>, 3, stBoolean, "", true, false},
                      ClassCase{"Html", Make<THtmlColumn>, 7, stAlphabetic, "", false, false},
                      ClassCase{"Image", Make<TImageColumn>, 6, stNumeric, "0", false, false},
                      ClassCase{"Progress", Make<TProgressColumn>, 5, stNumeric, "0", false, false},
                      ClassCase{"Rate", Make<TRateColumn>, 6, stNumeric, "0", false, false},
                      ClassCase{"Textual", Make<TTextualColumn>, 7, stAlphabetic, "", false, true},
                      ClassCase{"ComboBox", Make<TComboBoxColumn>, 7, stAlphabetic, "", false, true},
                      ClassCase{"Increment", Make<TIncrementColumn>, 0, stAlphabetic, "", false, false},
                      ClassCase{"Numeric", Make<TNumericColumn>, 5, stNumeric, "0", false, false},
                      ClassCase{"Graphic", Make<TGraphicColumn>, 2, stAlphabetic, "", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DateColumn, DefaultsToTodaysDateText) {
    const QString before = DateToStr(Date());
    TDateColumn column;
    const QString after = DateToStr(Date());
    EXPECT_TRUE(column.DefaultValue() == before || column.DefaultValue() == after)
        << column.DefaultValue().toStdString();
    EXPECT_FALSE(column.DefaultValue().isEmpty());
    EXPECT_EQ(column.CellKind(), 4);
    EXPECT_EQ(column.SortType(), stDate);
}

TEST(ProgressColumn, ConstructedSettings) {
    TProgressColumn column;
    EXPECT_EQ(column.Max(), 100);
    EXPECT_EQ(column.Margin(), 2);
    EXPECT_EQ(column.BorderColor(), TColor(0x808080));
    EXPECT_EQ(column.ProgressColor(), clHighlight);
    EXPECT_EQ(column.ProgressStyle(), psSolid);
}

TEST(NumericColumn, FormatTextAppliesTheMaskThenTextAfter) {
    TNumericColumn column;
    column.SetFormatMask("0.00");
    column.SetTextBefore("$");
    column.SetTextAfter(" kg");
    EXPECT_EQ(column.FormatText("3"), "3.00 kg");

    TFormatSettings comma = TFormatSettings::Fixed();
    comma.DecimalSeparator = ',';
    comma.ThousandSeparator = '.';
    TLocale::SetCurrent(comma);
    EXPECT_EQ(column.FormatText("2,5"), "2,50 kg");
    TLocale::SetCurrent(TFormatSettings::Fixed());

    EXPECT_THROW(column.FormatText("abc"), EConvertError);
    column.SetFormatMask("");
    EXPECT_EQ(column.FormatText("abc"), "abc kg");
}

TEST(TextualColumn, FormatTextWrapsTheValue) {
    TTextualColumn textual;
    textual.SetTextBefore("<");
    textual.SetTextAfter(">");
    EXPECT_EQ(textual.FormatText("v"), "<v>");
    TComboBoxColumn combo;
    combo.SetTextBefore("[");
    combo.SetTextAfter("]");
    EXPECT_EQ(combo.FormatText("w"), "[w]");
    TDateColumn date;
    EXPECT_EQ(date.FormatText("1/2/2003"), "1/2/2003");
}

struct KeyCase {
    const char* name;
    std::function<std::unique_ptr<TCustomColumn>()> make;
    const char16_t* accepted;
    const char16_t* refused;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class AcceptsKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(AcceptsKey, StartsEditingOnlyForItsCharacters) {
    const KeyCase& c = GetParam();
    auto column = c.make();
    for (const char16_t* k = c.accepted; *k; ++k) EXPECT_TRUE(column->AcceptsKey(QChar(*k))) << char(*k);
    for (const char16_t* k = c.refused; *k; ++k) EXPECT_FALSE(column->AcceptsKey(QChar(*k))) << int(*k);
}

INSTANTIATE_TEST_SUITE_P(Classes, AcceptsKey,
                         ::testing::Values(KeyCase{"Numeric", Make<TNumericColumn>, u"+-0159.", u"a/, e"},
                                           KeyCase{"Date", Make<TDateColumn>, u"0129/", u"a.-+ "},
                                           KeyCase{"Textual", Make<TTextualColumn>, u"a!~\u00e9Z", u" \t\r"},
                                           KeyCase{"ComboBox", Make<TComboBoxColumn>, u"x1", u" "},
                                           KeyCase{"CheckBox", Make<TCheckBoxColumn>, u"", u" a1"},
                                           KeyCase{"Progress", Make<TProgressColumn>, u"", u"a1"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgressColumn, CopyFromLeavesTransparentAndHideWhenEmpty) {
    TProgressColumn source;
    source.SetMax(50);
    source.SetMargin(7);
    source.SetBorderColor(clRed);
    source.SetProgressColor(clGreen);
    source.SetProgressStyle(psCylinder);
    source.SetShowText(true);
    source.SetTransparent(true);
    source.SetHideWhenEmpty(true);

    TProgressColumn target;
    target.CopyFrom(source);
    EXPECT_EQ(target.Max(), 50);
    EXPECT_EQ(target.Margin(), 7);
    EXPECT_EQ(target.BorderColor(), clRed);
    EXPECT_EQ(target.ProgressColor(), clGreen);
    EXPECT_EQ(target.ProgressStyle(), psCylinder);
    EXPECT_TRUE(target.ShowText());
    EXPECT_FALSE(target.Transparent());
    EXPECT_FALSE(target.HideWhenEmpty());
}

TEST(ColumnClasses, CopyFromAnotherClassCopiesOnlyTheBaseSettings) {
    TNumericColumn numeric;
    numeric.SetAlignment(taRightJustify);
    numeric.SetTextAfter(" %");
    TTextualColumn textual;
    textual.CopyFrom(numeric);
    EXPECT_EQ(textual.Alignment(), taRightJustify);
    EXPECT_EQ(textual.TextAfter(), "");

    TProgressColumn progress;
    progress.CopyFrom(numeric);
    EXPECT_EQ(progress.Max(), 100);
}

TEST(ComboBoxColumn, CopiesTextualSettingsFromATextualColumnAndItemsFromACombo) {
    TTextualColumn textual;
    textual.SetTextBefore("b");
    textual.SetAutoExecute(true);
    TComboBoxColumn combo;
    combo.SetItems({"one"});
    combo.CopyFrom(textual);
    EXPECT_EQ(combo.TextBefore(), "b");
    EXPECT_TRUE(combo.AutoExecute());
    EXPECT_EQ(combo.Items(), QStringList{"one"});

    TComboBoxColumn other;
    other.SetItems({"x", "y"});
    other.SetStyle(cbsDropDownList);
    other.SetDropDownCount(3);
    other.SetShowImages(true);
    combo.CopyFrom(other);
    EXPECT_EQ(combo.Items(), (QStringList{"x", "y"}));
    EXPECT_EQ(combo.Style(), cbsDropDownList);
    EXPECT_EQ(combo.DropDownCount(), 3);
    EXPECT_FALSE(combo.ShowImages());
}

TEST(NumericColumn, CopyFromCopiesItsSettings) {
    TNumericColumn source;
    source.SetFormatMask("#,##0");
    source.SetIncrement(0.5);
    source.SetMin(-3);
    source.SetMax(9);
    source.SetTextBefore("<");
    TNumericColumn target;
    target.CopyFrom(source);
    EXPECT_EQ(target.FormatMask(), "#,##0");
    EXPECT_EQ(target.Increment(), 0.5);
    EXPECT_EQ(target.Min(), -3);
    EXPECT_EQ(target.Max(), 9);
    EXPECT_EQ(target.TextBefore(), "<");
}

TEST(RateColumn, MaxRepaintsOnlyWhenItChanges) {
    RecordingColumns rc;
    auto& rate = rc.columns.Add<TRateColumn>();
    rc.Forget();
    rate.SetMax(5);
    EXPECT_TRUE(rc.grid.invalidated.empty());
    rate.SetMax(6);
    EXPECT_EQ(rc.grid.invalidated, (std::vector<std::pair<int, TGridArea>>{{0, gaCells}}));
}

TEST(ColumnClasses, SettersRepaintWhatTheyAffect) {
    RecordingColumns rc;
    auto& progress = rc.columns.Add<TProgressColumn>();
    auto& graphic = rc.columns.Add<TGraphicColumn>();
    rc.Forget();
    progress.SetMax(10); // stored only
    progress.SetProgressColor(clRed);
    graphic.SetMargin(-2); // not validated
    EXPECT_EQ(graphic.Margin(), -2);
    EXPECT_EQ(rc.grid.invalidated, (std::vector<std::pair<int, TGridArea>>{{0, gaCells}, {1, gaNone}}));
}

TEST(RateColumn, TransparentGlyphsTakeTheirBottomLeftColour) {
    TBitmap picture(3, 2);
    picture.SetPixel(0, 1, clRed);

    TRateColumn opaque;
    opaque.SetGlyph(picture);
    EXPECT_FALSE(opaque.Glyph().Transparent());

    TRateColumn rate;
    rate.SetTransparent(true);
    rate.SetGlyph(picture);
    rate.SetEmptyGlyph(picture);
    EXPECT_TRUE(rate.Glyph().Transparent());
    EXPECT_EQ(rate.Glyph().TransparentColor(), clRed);
    EXPECT_TRUE(rate.EmptyGlyph().Transparent());

    TRateColumn copy;
    copy.CopyFrom(rate);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.Glyph().Width(), 3);
    EXPECT_EQ(copy.Glyph().GetPixel(0, 1), clRed);
}

TEST(ImageColumn, CopiesTheImageListReference) {
    TImageList images;
    TImageColumn source;
    source.SetImages(&images);
    source.SetTransparent(false);
    TImageColumn target;
    target.CopyFrom(source);
    EXPECT_EQ(target.Images(), &images);
    EXPECT_TRUE(target.Transparent());
}

} // namespace
} // namespace tolvane::testing
