#include <gtest/gtest.h>

#include <QString>

#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/editors/text/NumericTextFilter.h"

namespace tolvane {
namespace {

// The test locale has "." as its decimal separator.
TEST(NumericTextFilter, FilterKeepsOnlyWhatANumberCanHold) {
    struct Case {
        const char16_t* text;
        bool allowFloat, allowSigns;
        const char16_t* kept;
    } cases[] = {
        {u"12-3", true, true, u"123"},
        {u"1.2.3", true, true, u"1.23"},
        {u"1.2.3", false, true, u"123"},
        {u"-", true, true, u"0"},
        {u"--", true, true, u"0"},
        {u"+-5", true, true, u"+5"},
        {u"-5", true, false, u"5"},
        {u"3.50 kg", true, true, u"3.50"},
        // Backspace is a key that deletes, not a character of a number: a pasted one is dropped.
        {u"1\b2", true, true, u"12"},
        {u"\b", true, true, u""},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        const TNumericTextFilter filter{c.allowFloat, c.allowSigns, 0, 0};
        EXPECT_EQ(filter.Filter(text), QString::fromUtf16(c.kept));
        EXPECT_EQ(filter.Filter(filter.Filter(text)), filter.Filter(text));
    }
}

// Bounds the general format writes with an exponent are clamped to in plain digits: cleaned
// again, "1E20" would read as 120 and "1E-5" as 15.
TEST(NumericTextFilter, ClampedTextReadsBackAsTheBound) {
    struct Case {
        double min, max;
        const char* text;
        const char* clamped;
    } cases[] = {
        {0, 100, "150", "100"},
        {-10, 0, "-20", "-10"},
        {0, 1e20, "999999999999999999999", "100000000000000000000"},
        {1e-5, 0, "0", "0.00001"},
        {-1.5e15, 0, "-2000000000000000", "-1500000000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TNumericTextFilter filter{true, true, c.min, c.max};
        const QString clamped = filter.Clean(c.text);
        EXPECT_EQ(clamped, c.clamped);
        EXPECT_EQ(filter.Clean(clamped), clamped);
        EXPECT_EQ(StrToFloat(filter.Clean(clamped)), c.max > 0 ? c.max : c.min);
    }
}

TEST(NumericTextFilter, CleanFailsOnlyOnATextThatIsNoNumber) {
    const TNumericTextFilter filter;
    for (const QString& text :
         {QString("+"), QString("."), QString("-."), QString("+."), "1" + QString(400, '0')}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_THROW(filter.Clean(text), EConvertError);
    }
    EXPECT_EQ(filter.Clean("x\b"), "");
}

TEST(NumericTextFilter, ShownValueReadsBack) {
    struct Case {
        double value;
        int precision;
        bool allowFloat;
        const char* shown;
    } cases[] = {
        {3, 2, true, "3.00 kg"},
        {1e20, 0, true, "100000000000000000000 kg"},
        {1e20, 2, false, "100000000000000000000 kg"},
        {-2.5e-5, 0, true, "-0.000025 kg"},
        {1e20, 2, true, "100000000000000000000.00 kg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        const TNumericTextFilter filter{c.allowFloat, true, -1e300, 0};
        const QString shown = filter.ValueText(c.value, c.precision, " kg", "none");
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(StrToFloat(filter.Clean(shown)), c.value);
    }
    EXPECT_EQ(TNumericTextFilter{}.ValueText(0, 2, " kg", "none"), "none");
}

} // namespace
} // namespace tolvane
