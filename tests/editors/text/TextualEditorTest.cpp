#include <QStringList>
#include <gtest/gtest.h>

#include "grid/editors/base/EditorCursors.h"
#include "grid/editors/text/TextualEditor.h"
#include "support/InputSimulator.h"

namespace tolvane {
namespace {

using test::InputSimulator;

class TextualEditorTest : public ::testing::Test {
protected:
    TextualEditorTest() : input(editor) {
        editor.SetBorderStyle(bsNone);
        editor.SetBounds(0, 0, 120, 20);
        editor.SetText("some text");
    }
    TTextualEditor editor;
    InputSimulator input;
};

TEST_F(TextualEditorTest, AClickInTheLeftStripSelectsAllText) {
    struct Case {
        int x;
        int selected;
    } cases[] = {{0, 9}, {2, 9}, {60, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        editor.SetCaret(0);
        input.Click(c.x, 10);
        EXPECT_EQ(editor.SelLength(), c.selected);
    }
    input.MouseMove(1, 10);
    EXPECT_EQ(editor.Cursor(), crReversedArrow);
    input.MouseMove(40, 10);
    EXPECT_EQ(editor.Cursor(), crDefault);
}

TEST_F(TextualEditorTest, AfterShowPutsTheCaretAtTheEndAndEnterNeverReachesTheText) {
    editor.SelectAll();
    editor.AfterShow();
    EXPECT_EQ(editor.SelLength(), 0);
    EXPECT_EQ(editor.SelStart(), 9);
    int keyDowns = 0;
    editor.OnKeyDown = [&](int& key, TShiftState) { keyDowns += key == VK_RETURN; };
    input.Key(VK_RETURN);
    input.Type("\r!");
    EXPECT_EQ(editor.Text(), "some text!");
    EXPECT_EQ(keyDowns, 1); // the host still sees the key
}

TEST_F(TextualEditorTest, ChangesRaiseChangeThenEditUnlessSuppressed) {
    QStringList events;
    editor.OnChange = [&](TCellEditor& e) { events << "change " + e.Text(); };
    editor.OnEdit = [&](TCellEditor& e) { events << "edit " + e.Text(); };
    editor.Clear();
    input.Type("a");
    editor.SetSuppressChange(true);
    input.Type("b");
    EXPECT_EQ(events, QStringList({"change ", "edit ", "change a", "edit a"}));
    EXPECT_EQ(editor.Text(), "ab");
}

TEST_F(TextualEditorTest, TextSitsInTheFormattingRectangle) {
    editor.SetBounds(0, 0, 120, 40);
    const int h = editor.TextHeight();
    struct Case {
        TVerticalAlignment va;
        int margin;
        bool preview;
        TRect expected;
    } cases[] = {
        {vaTop, 3, false, {5, 3, 120 - 3 - 1, 3 + h}},
        {vaMiddle, 0, false, {2, 39 / 2 - h / 2, 119, 39 / 2 - h / 2 + h}},
        {vaBottom, -1, true, {1 + 27, 41 - h, 120, 41}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.va);
        editor.SetVerticalAlignment(c.va);
        editor.SetMargin(c.margin);
        editor.SetShowPreview(c.preview);
        TRect r;
        editor.GetTextRect(r);
        EXPECT_EQ(r.Left, c.expected.Left);
        EXPECT_EQ(r.Top, c.expected.Top);
        EXPECT_EQ(r.Right, c.expected.Right);
        EXPECT_EQ(r.Bottom, c.expected.Bottom);
        EXPECT_EQ(editor.Text(), "some text");
    }
}

TEST_F(TextualEditorTest, PreviewBoxIsFramedAndDrawnByTheEvent) {
    TRect drawn;
    editor.OnCustomPreviewDraw = [&](TTextualEditor& e, const TRect& r) {
        drawn = r;
        e.Canvas().Brush.Color = clRed;
        e.Canvas().FillRect(r);
    };
    editor.SetShowPreview(true);
    editor.Repaint();
    EXPECT_EQ(drawn.Left, 2);
    EXPECT_EQ(drawn.Right, 20);
    EXPECT_EQ(ColorToRGB(editor.SurfacePixel(1, 5)), ColorToRGB(clBlack));
    EXPECT_EQ(ColorToRGB(editor.SurfacePixel(5, 5)), ColorToRGB(clRed));
}

} // namespace
} // namespace tolvane

namespace tolvane {
namespace {

// A cell text comes back exactly as it went in, so that an untouched edit stores nothing.
TEST(TextualEditorText, KeepsLongAndMultiLineTextsWhole) {
    TTextualEditor editor;
    for (const QString& text : {QString("two\nlines"), QString(40000, QChar('x')), QString("tab\there")}) {
        editor.SetAsString(text);
        EXPECT_EQ(editor.AsString(), text);
    }
}

} // namespace
} // namespace tolvane
