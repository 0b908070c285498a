#include <QApplication>
#include <QFocusEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "grid/base/Errors.h"
#include "grid/editors/base/SpinButtons.h"
#include "grid/editors/text/NumericEditor.h"
#include "grid/editors/text/SpinEditor.h"
#include "grid/host/Clipboard.h"
#include "support/InputSimulator.h"

namespace tolvane {
namespace {

using test::InputSimulator;

// The test locale has "." as its decimal separator.
TEST(NumericEditor, ReadsTheCleanedText) {
    struct Case {
        const char* text;
        TEditOptions options;
        double min, max;
        double value;
    } cases[] = {
        {"12-3", {eoAllowFloat, eoAllowSigns}, 0, 0, 123},
        {"1.2.3", {eoAllowFloat, eoAllowSigns}, 0, 0, 1.23},
        {"1.2.3", {eoAllowSigns}, 0, 0, 123},
        {"-", {eoAllowFloat, eoAllowSigns}, 0, 0, 0},
        {"", {eoAllowFloat, eoAllowSigns}, 0, 0, 0},
        {"kg", {eoAllowFloat, eoAllowSigns}, 0, 0, 0},
        {"-7", {eoAllowFloat, eoAllowSigns}, 0, 0, 0}, // Min 0: negatives read as 0
        {"-7", {eoAllowFloat, eoAllowSigns}, -10, 0, -7},
        {"-7", {eoAllowFloat}, -10, 0, 7},                  // no signs: the minus is dropped
        {"150", {eoAllowFloat, eoAllowSigns}, 0, 100, 100}, // clamped to Max
        {"1e9", {eoAllowFloat, eoAllowSigns}, 0, 0, 19},    // Max 0: no bound; letters dropped
        {"3.50 kg", {eoAllowFloat, eoAllowSigns}, 0, 0, 3.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TNumericEditor editor;
        editor.SetOptions(c.options);
        editor.SetMin(c.min);
        editor.SetMax(c.max);
        editor.SetText(c.text);
        EXPECT_DOUBLE_EQ(editor.Value(), c.value);
    }
}

TEST(NumericEditor, ALoneSignOrSeparatorFailsToReadButCommitsAsZero) {
    for (const char* text : {"+", "."}) {
        SCOPED_TRACE(text);
        TNumericEditor editor;
        editor.SetText(text);
        EXPECT_THROW(editor.Value(), EConvertError);
        EXPECT_DOUBLE_EQ(editor.SafeValue(), 0);
        EXPECT_EQ(editor.AsString(), "0");
    }
}

TEST(NumericEditor, ShowsValuesByPrecisionNullTextAndTextAfter) {
    TNumericEditor numeric;
    numeric.SetValue(3);
    EXPECT_EQ(numeric.Text(), "3.00");
    numeric.SetTextAfter(" kg");
    EXPECT_EQ(numeric.Text(), "3.00 kg");
    EXPECT_DOUBLE_EQ(numeric.Value(), 3);
    EXPECT_EQ(numeric.AsString(), "3"); // a committed value converts back into a number cell
    numeric.SetNullText("none");
    EXPECT_EQ(numeric.Text(), "none");
    EXPECT_DOUBLE_EQ(numeric.Value(), 0);

    TSpinEditor spin;
    spin.SetValue(3);
    EXPECT_EQ(spin.Text(), "3");
}

TEST(NumericEditor, CopiesOnlyFromAnotherNumericEditor) {
    TNumericEditor source, target;
    source.SetMax(50);
    source.SetPrecision(1);
    source.SetTextAfter(" kg");
    source.SetValue(7);
    target.CopyFrom(source);
    EXPECT_DOUBLE_EQ(target.Max(), 50);
    EXPECT_EQ(target.Text(), "7.0"); // TextAfter stays the target's own
    TTextualEditor text;
    EXPECT_THROW(target.CopyFrom(text), EGridError);
}

class NumericTypingTest : public ::testing::Test {
protected:
    NumericTypingTest() : input(editor) {
        editor.SetBorderStyle(bsNone);
        editor.SetBounds(0, 0, 100, 20);
        editor.Clear();
    }
    TNumericEditor editor;
    InputSimulator input;
};

TEST_F(NumericTypingTest, KeyFilterAdmitsOnlyWhatANumberCanHold) {
    struct Case {
        const char* typed;
        const char* text;
    } cases[] = {
        {"1.2.3", "1.23"},                            // a second separator is refused
        {"a1b2", "12"},    {"-5", "-5"}, {"5-", "5"}, // a sign only at the start
        {"+-1", "+1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        editor.Clear();
        input.Type(c.typed);
        EXPECT_EQ(editor.Text(), c.text);
    }
}

TEST_F(NumericTypingTest, TypingOverASelectedSeparatorOrSignIsAllowed) {
    editor.SetText("1.5");
    editor.SetSelection(1, 1);
    input.Type(".");
    EXPECT_EQ(editor.Text(), "1.5");
    editor.SetText("-4");
    editor.SetSelection(0, 1);
    input.Type("+");
    EXPECT_EQ(editor.Text(), "+4");
}

TEST_F(NumericTypingTest, PasteKeepsTheNumberAndPutsTheCaretAtThePieceStart) {
    struct Case {
        const char* text;
        int selStart, selLength;
        const char* clipboard;
        const char* result;
        int caret;
    } cases[] = {
        {"", 0, 0, "a1b2", "12", 0},      {"99", 1, 0, "x5", "959", 1},
        {"1.5", 3, 0, "2.5", "1.525", 3}, // the text has a separator already
        {"1.5", 0, 3, "2.5", "2.5", 0},   // pasted over everything: the separator is free again
        {"7", 1, 0, "-3", "73", 1},       // a sign only at the start
        {"", 0, 0, "1\b2", "12", 0},      // a pasted backspace is no number character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clipboard);
        editor.SetText(c.text);
        editor.SetSelection(c.selStart, c.selLength);
        SetClipboardText(c.clipboard);
        input.Key('V', {ssCtrl});
        EXPECT_EQ(editor.Text(), c.result);
        EXPECT_EQ(editor.SelStart(), c.caret);
        EXPECT_EQ(editor.SelLength(), 0);
    }
}

TEST_F(NumericTypingTest, PastingALoneSignPastesNothing) {
    for (const char* clip : {"+", ".", "x.y"}) {
        SCOPED_TRACE(clip);
        editor.SetText("12");
        editor.SetCaret(0);
        SetClipboardText(clip);
        EXPECT_NO_THROW(input.Key('V', {ssCtrl}));
        EXPECT_EQ(editor.Text(), "12");
    }
}

TEST_F(NumericTypingTest, FocusLossNormalisesWithoutAnError) {
    struct Case {
        const char* typed;
        const char* nullText;
        const char* shown;
    } cases[] = {
        {"+", "", "0.00"}, {".", "", "0.00"}, {"+", "nil", "nil"}, {"1.5", "", "1.50"}, {"-", "", "0.00"}};
    InputSimulator::ShowAndFocus(editor);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        editor.SetNullText(c.nullText);
        editor.Clear();
        input.Type(c.typed);
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        EXPECT_NO_THROW(QCoreApplication::sendEvent(QApplication::focusWidget(), &out));
        EXPECT_EQ(editor.Text(), c.shown);
    }
}

// The general format writes these with an exponent, whose "E" the clean-up drops: shown or
// clamped that way, 1E20 would read back as 120 and 2.5E-5 as 25.5.
TEST_F(NumericTypingTest, ValuesBeyondTheGeneralFormatSurviveFocusLossAndClamping) {
    InputSimulator::ShowAndFocus(editor);
    editor.SetPrecision(0);
    for (double value : {1e20, 2.5e-5, -3e16}) {
        SCOPED_TRACE(value);
        editor.SetMin(-1e300);
        editor.SetValue(value);
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &out);
        EXPECT_EQ(editor.Value(), value);
    }
    editor.SetMin(0);
    editor.SetMax(1e20);
    editor.Clear();
    SetClipboardText("999999999999999999999");
    input.Key('V', {ssCtrl});
    EXPECT_EQ(editor.Value(), 1e20);
}

class SpinTest : public ::testing::Test {
protected:
    SpinTest() : input(spin) {
        spin.SetBorderStyle(bsNone);
        spin.SetBounds(0, 0, 100, 20);
    }
    TSpinEditor spin;
    InputSimulator input;
};

TEST_F(SpinTest, StepsStayWithinMinAndMax) {
    struct Case {
        double start, increment, min, max;
        int key;
        double result;
    } cases[] = {
        {9, 1, 0, 10, VK_UP, 10},    {10, 1, 0, 10, VK_UP, 10},
        {0, 1, 0, 0, VK_DOWN, 0},    {1, 1, 0, 0, VK_DOWN, 0},
        {5, 2.5, 0, 0, VK_UP, 7.5},  {100, 1, 0, 0, VK_UP, 101}, // Max 0: no bound
        {-3, 1, -3, 0, VK_DOWN, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " key " << c.key);
        spin.SetMin(c.min);
        spin.SetMax(c.max);
        spin.SetIncrement(c.increment);
        spin.SetValue(c.start);
        input.Key(c.key);
        EXPECT_DOUBLE_EQ(spin.Value(), c.result);
        EXPECT_FALSE(spin.Buttons().DelayTimer().Enabled()); // the key-up stopped stepping
    }
}

TEST_F(SpinTest, WheelStepsOncePerNotchAndArrowsStayQuietWhenIgnored) {
    spin.SetValue(5);
    input.Wheel(120, 10, 10);
    EXPECT_DOUBLE_EQ(spin.Value(), 6);
    input.Wheel(-120, 10, 10);
    input.Wheel(-120, 10, 10);
    EXPECT_DOUBLE_EQ(spin.Value(), 4);
    spin.SetIgnoreArrows(true);
    input.Key(VK_UP);
    EXPECT_DOUBLE_EQ(spin.Value(), 4);
}

TEST_F(SpinTest, ArrowButtonsStepAndIntegersRoundHalvesToEven) {
    spin.SetValue(2);
    const TRect b = spin.Buttons().BoundsRect();
    EXPECT_EQ(b.Right, spin.ClientWidth());
    input.Click(b.Left + 2, b.Top + 2);
    EXPECT_DOUBLE_EQ(spin.Value(), 3);
    input.Click(b.Left + 2, b.Bottom - 2);
    EXPECT_DOUBLE_EQ(spin.Value(), 2);
    spin.SetText("2.5");
    EXPECT_EQ(spin.AsInteger(), 2);
    spin.SetText("3.5");
    EXPECT_EQ(spin.AsInteger(), 4);
}

} // namespace
} // namespace tolvane
