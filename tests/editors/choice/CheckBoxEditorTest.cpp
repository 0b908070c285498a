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

TEST(CheckBoxEditor, TheWordTrueInAnyCaseChecksItAndNothingElseDoes) {
    struct Case {
        const char* text;
        bool checked;
    } cases[] = {{"true", true},   {"TRUE", true}, {"True", true},
                 {"False", false}, {"1", false},   {" true", false}};
    TCheckBoxEditor editor;
    for (const Case& c : cases) {
        editor.SetAsString(c.text);
        EXPECT_EQ(editor.Checked(), c.checked) << c.text;
        EXPECT_EQ(editor.AsString(), c.checked ? "True" : "False") << c.text;
    }
}

TEST(CheckBoxEditor, TogglesOnTheReleaseNotOnThePress) {
    enum Gesture { SpaceDown, SpaceUp, SpaceRepeat, PressBox, ReleaseBox, ReleaseOutside };
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
    };
    for (const Case& c : cases) {
        TCheckBoxEditor editor;
        editor.SetBounds(0, 0, 60, 20);
        InputSimulator::ShowAndFocus(editor);
        InputSimulator input(editor);
        const TRect box = editor.BoxRect();
        const int x = (box.Left + box.Right) / 2, y = (box.Top + box.Bottom) / 2;
        for (Gesture g : c.gestures) {
            if (g == SpaceDown) input.KeyDown(VK_SPACE);
            if (g == SpaceUp) input.KeyUp(VK_SPACE);
            if (g == PressBox) input.MouseDown(mbLeft, x, y);
            if (g == ReleaseBox) input.MouseUp(mbLeft, x, y);
            if (g == ReleaseOutside) input.MouseUp(mbLeft, editor.ClientWidth() - 2, 2);
            if (g == SpaceRepeat) {
                // The platform's auto-repeat: a release and a press for each repetition.
                for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
                    QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, " ", true);
                    QCoreApplication::sendEvent(editor.ClientWidget(), &e);
                }
            }
        }
        EXPECT_EQ(editor.Pressed(), c.pressed) << c.what;
        EXPECT_EQ(editor.Checked(), c.checked) << c.what;
    }
}
