// The check box editor through real key and mouse events.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

#include "grid/editors/choice/CheckBoxEditor.h"
#include "support/InputSimulator.h"

using namespace tolvane;
using tolvane::test::InputSimulator;

namespace {
constexpr TColor kYellow = RGB(255, 255, 0);
} // namespace

TEST(CheckBoxEditor, TheWordTrueInAnyCaseChecksItAndNothingElseDoes) {
    struct Case {
        const char* text;
        bool checked;
    } cases[] = {{"true", true},  {"TRUE", true},   {"True", true}, {"tRuE", true}, {"False", false},
                 {"1", false},    {"yes", false},   {"", false},    {" true", false}};
    TCheckBoxEditor editor;
    for (const Case& c : cases) {
        editor.SetAsString(c.text);
        EXPECT_EQ(editor.Checked(), c.checked) << c.text;
        EXPECT_EQ(editor.AsBoolean(), c.checked) << c.text;
        EXPECT_EQ(editor.AsString(), c.checked ? "True" : "False") << c.text;
    }
    editor.SetChecked(true);
    editor.Clear();
    EXPECT_FALSE(editor.Checked());
}

TEST(CheckBoxEditor, TogglesOnTheReleaseNotOnThePress) {
    enum Gesture { SpaceDown, SpaceUp, SpaceRepeat, PressBox, ReleaseBox, ReleaseOutside, PressOutside };
    struct Case {
        const char* what;
        std::vector<Gesture> gestures;
        bool pressed, checked;
    } cases[] = {
        {"space held", {SpaceDown}, true, false},
        {"space released", {SpaceDown, SpaceUp}, false, true},
        {"space held with auto-repeat", {SpaceDown, SpaceRepeat, SpaceRepeat}, true, false},
        {"a release without its press", {SpaceUp}, false, false},
        {"box pressed", {PressBox}, true, false},
        {"box clicked", {PressBox, ReleaseBox}, false, true},
        {"box pressed, released outside", {PressBox, ReleaseOutside}, false, false},
        {"pressed beside the box", {PressOutside}, false, false},
    };
    for (const Case& c : cases) {
        TCheckBoxEditor editor;
        editor.SetBounds(0, 0, 60, 20);
        InputSimulator::ShowAndFocus(editor);
        InputSimulator input(editor);
        const TRect box = editor.BoxRect();
        const TPoint inside{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
        const TPoint outside{editor.ClientWidth() - 2, 2};
        ASSERT_FALSE(box.Contains(outside));
        for (Gesture g : c.gestures) {
            switch (g) {
            case SpaceDown:
                input.KeyDown(VK_SPACE);
                break;
            case SpaceUp:
                input.KeyUp(VK_SPACE);
                break;
            case SpaceRepeat: {
                // The platform's auto-repeat: a release and a press for each repetition.
                QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
                QCoreApplication::sendEvent(editor.ClientWidget(), &up);
                QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
                QCoreApplication::sendEvent(editor.ClientWidget(), &down);
                break;
            }
            case PressBox:
                input.MouseDown(mbLeft, inside.X, inside.Y);
                break;
            case ReleaseBox:
                input.MouseUp(mbLeft, inside.X, inside.Y);
                break;
            case ReleaseOutside:
                input.MouseUp(mbLeft, outside.X, outside.Y);
                break;
            case PressOutside:
                input.MouseDown(mbLeft, outside.X, outside.Y);
                break;
            }
        }
        EXPECT_EQ(editor.Pressed(), c.pressed) << c.what;
        EXPECT_EQ(editor.Checked(), c.checked) << c.what;
        EXPECT_EQ(editor.Text(), c.checked ? "True" : "False") << c.what;
    }
}

TEST(CheckBoxEditor, PaintsEveryPixelItselfWithTheBoxWhereTheColumnPutsIt) {
    struct Case {
        TAlignment alignment;
        TVerticalAlignment vertical;
        int third, band; // which third of the width and of the height holds the box
    } cases[] = {{taLeftJustify, vaTop, 0, 0}, {taCenter, vaMiddle, 1, 1}, {taRightJustify, vaBottom, 2, 2}};
    for (const Case& c : cases) {
        TCheckBoxEditor editor;
        editor.SetBorderStyle(bsNone);
        editor.SetBounds(0, 0, 60, 45);
        editor.SetColor(kYellow);
        editor.SetAlignment(c.alignment);
        editor.SetVerticalAlignment(c.vertical);
        editor.SetChecked(true);
        InputSimulator::ShowAndFocus(editor);
        editor.Repaint();
        const TRect box = editor.BoxRect();
        EXPECT_EQ(((box.Left + box.Right) / 2) / 20, c.third) << c.alignment;
        EXPECT_EQ(((box.Top + box.Bottom) / 2) / 15, c.band) << c.vertical;
        int foreign = 0;
        for (int y = 0; y < editor.ClientHeight(); ++y)
            for (int x = 0; x < editor.ClientWidth(); ++x)
                if (!box.Contains(TPoint{x, y}) && editor.SurfacePixel(x, y) != kYellow) ++foreign;
        EXPECT_EQ(foreign, 0) << c.alignment; // no erase: outside the box only the editor's colour
        EXPECT_NE(editor.SurfacePixel(box.Left + 1, box.Top + 1), kYellow) << c.alignment;
    }
}
