// Every way Qt calls into the library is guarded: a handler that throws there is reported to the
// error sink once, nothing unwinds through Qt, and the control keeps working. Each row makes one
// hook throw and then drives the matching entry point the way Qt does.
#include <functional>
#include <stdexcept>

#include <QAbstractSlider>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "grid/host/CustomControl.h"
#include "grid/host/EditField.h"
#include "grid/host/ExceptionSink.h"
#include "grid/host/PopupWindow.h"
#include "grid/host/SystemColors.h"
#include "grid/host/Timer.h"
#include "support/InputSimulator.h"

namespace tolvane {
namespace {

[[noreturn]] void Fail(const char* where) {
    throw std::runtime_error(where);
}

// A control whose scroll and paint hooks can be made to throw.
class TFailingControl : public TCustomControl {
public:
    bool failScroll = false;
    bool failPaint = false;
    void WMVScroll(int, int) override {
        if (failScroll) Fail("scroll");
    }
    void Paint() override {
        TCustomControl::Paint();
        if (failPaint) Fail("paint");
    }
};

// What each row works with; the row fills in the failing hook and the entry into it.
struct TWorld {
    TFailingControl control;
    TEditField* field = nullptr;
    TTimer timer;
    std::unique_ptr<TPopupWindow> popup;
};

void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QAbstractSlider* VerticalBar(TCustomControl& c) {
    for (auto* s : c.Widget()->findChildren<QAbstractSlider*>())
        if (s->orientation() == Qt::Vertical) return s;
    return nullptr;
}

struct TEntry {
    const char* name;
    std::function<void(TWorld&)> arm;   // makes one hook throw "<name>"
    std::function<void(TWorld&)> enter; // Qt calls into the library
};

const TEntry kEntries[] = {
    {"key", [](TWorld& w) { w.control.OnKeyDown = [](int&, TShiftState) { Fail("key"); }; },
     [](TWorld& w) { test::InputSimulator(w.control).Key(VK_DOWN); }},
    {"resize", [](TWorld& w) { w.control.OnResize = [] { Fail("resize"); }; },
     [](TWorld& w) { w.control.Widget()->resize(150, 90); }},
    {"paint", [](TWorld& w) { w.control.failPaint = true; },
     [](TWorld& w) {
         w.control.Invalidate();
         w.control.ClientWidget()->repaint();
     }},
    {"scroll", [](TWorld& w) { w.control.failScroll = true; },
     [](TWorld& w) { VerticalBar(w.control)->triggerAction(QAbstractSlider::SliderPageStepAdd); }},
    {"exit", [](TWorld& w) { w.control.OnExit = [] { Fail("exit"); }; },
     [](TWorld&) {
         QWidget elsewhere;
         elsewhere.show();
         QApplication::setActiveWindow(&elsewhere);
         elsewhere.setFocus();
         QCoreApplication::processEvents();
     }},
    {"timer",
     [](TWorld& w) {
         w.timer.SetInterval(1);
         w.timer.SetOnTimer([&w] {
             w.timer.SetEnabled(false);
             Fail("timer");
         });
     },
     [](TWorld&) { RunEventsFor(30); }},
    {"edit key", [](TWorld& w) { w.field->OnKeyDown = [](int&, TShiftState) { Fail("edit key"); }; },
     [](TWorld& w) { test::InputSimulator(w.control).Key(VK_LEFT); }},
    {"edit change", [](TWorld& w) { w.field->OnChange = [] { Fail("edit change"); }; },
     [](TWorld& w) { test::InputSimulator(w.control).Type("z"); }},
    {"popup",
     [](TWorld& w) {
         w.popup = std::make_unique<TPopupWindow>(w.control);
         w.popup->OnPointerEnter = [] { Fail("popup"); };
     },
     [](TWorld& w) {
         QEvent enter(QEvent::Enter);
         QCoreApplication::sendEvent(w.control.Widget(), &enter);
     }},
};

class EntryGuard : public ::testing::TestWithParam<TEntry> {};

TEST_P(EntryGuard, AThrowingHookIsReportedOnceAndTheControlCarriesOn) {
    QStringList reported;
    const TExceptionSink previous = SetExceptionSink([&](const QString& m) { reported << m; });
    {
        TWorld w;
        w.control.SetBounds(0, 0, 120, 80);
        w.control.SetScrollInfo(sbVertical, 0, 100, 10, 0);
        const bool withField = QString(GetParam().name).startsWith("edit");
        std::unique_ptr<TEditField> field;
        if (withField) {
            field = std::make_unique<TEditField>(w.control);
            field->SetText("abc");
            w.field = field.get();
        }
        test::InputSimulator::ShowAndFocus(w.control);
        GetParam().arm(w);
        GetParam().enter(w);
        EXPECT_EQ(reported, QStringList{GetParam().name});

        // Still working: the layout follows a new size and the surface paints.
        w.control.OnResize = nullptr;
        w.control.failPaint = false;
        w.control.SetBounds(0, 0, 140, 100);
        EXPECT_EQ(w.control.ClientHeight(), 100);
        w.control.SetColor(clBlue);
        w.control.PaintNow();
        EXPECT_EQ(w.control.SurfacePixel(5, 5), ColorToRGB(clBlue));
    }
    SetExceptionSink(previous);
}

TEST(EntryGuardLayout, AResizeHandlerThatFailedTimeAfterTimeLeavesTheLayoutWorking) {
    QStringList reported;
    const TExceptionSink previous = SetExceptionSink([&](const QString& m) { reported << m; });
    {
        TFailingControl control;
        control.SetBounds(0, 0, 120, 80);
        test::InputSimulator::ShowAndFocus(control);
        control.OnResize = [] { Fail("resize"); };
        for (int i = 1; i <= 6; ++i) control.Widget()->resize(120 + i, 80);
        EXPECT_EQ(reported.size(), 6);
        control.OnResize = nullptr;
        control.Widget()->resize(200, 150);
        EXPECT_EQ(control.ClientWidth(), 200);
        EXPECT_EQ(control.ClientHeight(), 150);
    }
    SetExceptionSink(previous);
}

INSTANTIATE_TEST_SUITE_P(Entries, EntryGuard, ::testing::ValuesIn(kEntries), [](const auto& info) {
    QString name = info.param.name;
    return name.replace(' ', '_').toStdString();
});

} // namespace
} // namespace tolvane
