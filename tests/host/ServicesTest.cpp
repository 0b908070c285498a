#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include "grid/host/AppActivation.h"
#include "grid/host/Clipboard.h"
#include "grid/host/Screen.h"
#include "grid/host/HintWindow.h"
#include "grid/host/SystemColors.h"
#include "grid/host/ThemePainter.h"
#include "grid/host/Timer.h"

using namespace tolvane;

TEST(Timer, RunsOnlyWhenEnabledWithIntervalAndHandler) {
    TTimer t;
    EXPECT_FALSE(t.Running()); // no handler yet
    int ticks = 0;
    t.SetOnTimer([&] { ++ticks; });
    EXPECT_TRUE(t.Running());
    t.SetInterval(0);
    EXPECT_FALSE(t.Running());
    t.SetInterval(50);
    t.SetEnabled(false);
    EXPECT_FALSE(t.Running());
    t.Tick();
    EXPECT_EQ(ticks, 1);
}

TEST(Cursors, NamedResourcesLoadAndOverrideTheScreen) {
    EXPECT_TRUE(TScreen::LoadCursor(3000, QStringLiteral("HORZSPLIT")));
    EXPECT_FALSE(TScreen::LoadCursor(3999, QStringLiteral("NOSUCHCURSOR")));
    EXPECT_TRUE(TScreen::HasCursor(3000));
    EXPECT_FALSE(TScreen::HasCursor(3999));
    EXPECT_EQ(TScreen::CursorOf(3000).shape(), Qt::BitmapCursor);
    TScreen::SetCursor(3000);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    TScreen::SetCursor(crHSplit);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SplitHCursor);
    TScreen::SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(HintWindow, MeasuresForAMaximumWidth) {
    THintWindow hint;
    const TRect shortText = hint.CalcHintRect(250, QStringLiteral("Short"));
    const TRect longText = hint.CalcHintRect(
        120, QStringLiteral("A much longer hint text that has to wrap over several lines of the window"));
    EXPECT_LT(shortText.Width(), 250);
    EXPECT_LE(longText.Width(), 120 + 12);
    EXPECT_GT(longText.Height(), 2 * shortText.Height());
}

TEST(HintWindow, ShowsTheTextAndHidesOnRelease) {
    THintWindow hint;
    const TRect r = hint.CalcHintRect(250, QStringLiteral("Hint"));
    hint.ActivateHint(r.Offset(40, 50), QStringLiteral("Hint"));
    EXPECT_TRUE(hint.Active());
    EXPECT_EQ(hint.BoundsRect(), r.Offset(40, 50));
    hint.PaintNow();
    EXPECT_EQ(hint.SurfacePixel(1, 1), ColorToRGB(clInfoBk));
    EXPECT_EQ(hint.SurfacePixel(0, 0), ColorToRGB(clWindowFrame));
    hint.ReleaseHandle();
    EXPECT_FALSE(hint.Active());
}

TEST(Flyout, IsATopLevelWindowThatNeverTakesTheFocus) {
    TFlyoutControl flyout;
    ASSERT_NE(flyout.Widget(), nullptr);
    EXPECT_TRUE(flyout.Widget()->isWindow());
    EXPECT_TRUE(flyout.Widget()->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(flyout.Widget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(flyout.Visible());
    flyout.SetBounds(0, 0, 10, 10);
    flyout.Show();
    flyout.SetFocus();
    EXPECT_FALSE(flyout.Focused());
    flyout.Hide();
}

TEST(ThemePainter, DrawsInsideTheRectangleOnly) {
    TBitmap b(60, 40);
    b.Canvas().Brush.Color = RGB(1, 2, 3);
    b.Canvas().FillRect(Rect(0, 0, 60, 40));
    DrawThemedPart(b.Canvas(), Rect(10, 10, 50, 30), QStringLiteral("header"), 1, 1);
    int inside = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool changed = b.GetPixel(x, y) != RGB(1, 2, 3);
            (Rect(10, 10, 50, 30).Contains({x, y}) ? inside : outside) += changed;
        }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(ThemesEnabled());
    SetThemesEnabled(false);
    EXPECT_FALSE(ThemesEnabled());
    SetThemesEnabled(true);
}

TEST(AppActivation, ReachesHandlersAndControls) {
    struct Watcher : TCustomControl {
        std::vector<bool> seen;
        void ActivateApp(bool active) override { seen.push_back(active); }
    } control;
    std::vector<bool> seen;
    const int key = AddActivationHandler([&](bool a) { seen.push_back(a); });
    NotifyApplicationActivation(false);
    NotifyApplicationActivation(true);
    RemoveActivationHandler(key);
    NotifyApplicationActivation(false);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    EXPECT_EQ(control.seen, (std::vector<bool>{false, true, false}));
}

TEST(SystemColors, TableEntriesCanBeReplaced) {
    SetSystemColor(COLOR_HIGHLIGHT, RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(1, 2, 3));
    UseClassicSystemColors();
    EXPECT_EQ(ColorToRGB(clHighlight), 0x800000u);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0u);
    EXPECT_EQ(ColorToRGB(clInfoBk), 0xE1FFFFu);
}
