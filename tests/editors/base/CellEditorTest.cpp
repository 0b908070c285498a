#include <functional>

#include <gtest/gtest.h>

#include "grid/base/Errors.h"
#include "grid/editors/base/CanvasCellEditor.h"
#include "grid/editors/base/CellEditor.h"
#include "grid/editors/base/EditorCursors.h"
#include "grid/host/ThemePainter.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {
namespace {

// Counts window re-creations.
class ProbeEditor : public TCellEditor {
public:
    int created = 0;

protected:
    void CreateWindow() override { ++created; }
};

struct LayoutSetter {
    const char* name;
    std::function<void(TCellEditor&)> sameValue;
    std::function<void(TCellEditor&)> newValue;
};

TEST(CellEditor, LayoutChangesRecreateTheWindowAndKeepTheText) {
    const LayoutSetter setters[] = {
        {"Alignment", [](TCellEditor& e) { e.SetAlignment(taLeftJustify); },
         [](TCellEditor& e) { e.SetAlignment(taRightJustify); }},
        {"Margin", [](TCellEditor& e) { e.SetMargin(0); }, [](TCellEditor& e) { e.SetMargin(-1); }},
        {"VerticalAlignment", [](TCellEditor& e) { e.SetVerticalAlignment(vaMiddle); },
         [](TCellEditor& e) { e.SetVerticalAlignment(vaBottom); }},
    };
    for (const LayoutSetter& setter : setters) {
        SCOPED_TRACE(setter.name);
        ProbeEditor editor;
        editor.SetText("kept");
        setter.sameValue(editor);
        EXPECT_EQ(editor.created, 0);
        setter.newValue(editor);
        EXPECT_EQ(editor.created, 1);
        EXPECT_EQ(editor.Text(), "kept");
    }
}

TEST(CellEditor, BorderIsOneThemedPixelOrTwoClassicOnes) {
    const bool wasEnabled = ThemesEnabled();
    LoadThemeLibrary();
    struct Case {
        bool themes;
        TBorderStyle style;
        int frame;
    } cases[] = {{true, bsSingle, 1}, {false, bsSingle, 2}, {true, bsNone, 0}, {false, bsNone, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "themes " << c.themes << " style " << c.style);
        SetThemesEnabled(c.themes);
        ProbeEditor editor;
        editor.SetBorderStyle(bsNone);
        editor.SetBorderStyle(c.style);
        EXPECT_EQ(editor.FrameWidth(), c.frame);
    }
    SetThemesEnabled(wasEnabled);
}

TEST(CellEditor, TypedGettersConvertTheTextAndFailOnOtherText) {
    ProbeEditor editor;
    editor.SetAsFloat(2.5);
    EXPECT_EQ(editor.AsString(), "2.5");
    EXPECT_DOUBLE_EQ(editor.AsFloat(), 2.5);
    editor.SetAsBoolean(true);
    EXPECT_EQ(editor.Text(), "True");
    EXPECT_TRUE(editor.AsBoolean());
    editor.SetAsInteger(-42);
    EXPECT_EQ(editor.AsInteger(), -42);
    editor.SetAsString("abc");
    EXPECT_THROW(editor.AsInteger(), EConvertError);
    EXPECT_THROW(editor.AsFloat(), EConvertError);
}

TEST(CellEditor, RegistersTheReversedArrowCursor) {
    ProbeEditor editor;
    EXPECT_TRUE(TScreen::HasCursor(crReversedArrow));
}

// Paints only its left half: whatever the right half shows was never erased.
class HalfPainter : public TCanvasCellEditor {
public:
    void PaintEditor() override {
        EditorCanvas().Brush.Color = clRed;
        EditorCanvas().FillRect(TRect{0, 0, ClientWidth() / 2, ClientHeight()});
    }
};

TEST(CanvasCellEditor, NeverErasesItsBackground) {
    HalfPainter editor;
    editor.SetBorderStyle(bsNone);
    editor.SetBounds(0, 0, 40, 20);
    editor.SetColor(clBlue);
    editor.Repaint();
    EXPECT_EQ(ColorToRGB(editor.SurfacePixel(5, 10)), ColorToRGB(clRed));
    EXPECT_NE(ColorToRGB(editor.SurfacePixel(35, 10)), ColorToRGB(clBlue));
}

} // namespace
} // namespace tolvane
