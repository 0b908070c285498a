// Every way Qt calls into the library is guarded: a handler that throws there is reported to the
// error sink once, nothing unwinds through Qt, and the control keeps working. Each row makes one
// hook throw and then drives the matching entry point the way Qt does.
#include <functional>
#include <stdexcept>

#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "grid/host/AccessibleTableSource.h"
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

// A control whose scroll and frame painting hooks can be made to throw.
class TFailingControl : public TCustomControl {
public:
    bool failScroll = false;
    bool failFrame = false;
    void WMVScroll(int, int) override {
        if (failScroll) Fail("scroll");
    }
    void NCPaint(TCanvas& canvas) override {
        TCustomControl::NCPaint(canvas);
        if (failFrame) Fail("frame paint");
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
    {"resize", [](TWorld& w) { w.control.OnResize = [] { Fail("resize"); }; },
     [](TWorld& w) { w.control.Widget()->resize(150, 90); }},
    {"frame paint", [](TWorld& w) { w.control.failFrame = true; },
     [](TWorld& w) {
         w.control.RedrawFrame();
         w.control.Widget()->repaint();
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
        w.control.SetBorderStyle(bsSingle);
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
        w.control.failFrame = false;
        w.control.SetBounds(0, 0, 140, 100);
        EXPECT_EQ(w.control.ClientHeight(), 100 - 2 * w.control.FrameWidth());
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

// A two-by-two table whose cell texts cannot be read.
class TUnreadableTable : public TAccessibleTableSource {
public:
    QString AccessibleName() override { return "table"; }
    int AccessibleRowCount() override { return 2; }
    int AccessibleColumnCount() override { return 2; }
    QString AccessibleColumnHeader(int) override { return "head"; }
    QString AccessibleCellText(int, int) override { Fail("cell text"); }
    bool AccessibleRowSelected(int) override { return false; }
    TPoint AccessibleCurrentCell() override { return TPoint{0, 0}; }
    TRect AccessibleCellRect(int, int) override { return TRect{0, 0, 10, 10}; }
};

TEST(EntryGuardAccessibility, AQuestionThatFailsIsReportedAndAnsweredEmpty) {
    QStringList reported;
    const TExceptionSink previous = SetExceptionSink([&](const QString& m) { reported << m; });
    {
        TUnreadableTable source;
        TCustomControl control;
        control.SetAccessibleTable(&source);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(control.ClientWidget());
        ASSERT_NE(table, nullptr);
        ASSERT_NE(table->tableInterface(), nullptr);
        QAccessibleInterface* cell = table->tableInterface()->cellAt(1, 1);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text(QAccessible::Name), QString());
        EXPECT_EQ(reported, QStringList{"cell text"});
        EXPECT_EQ(table->tableInterface()->columnDescription(1), "head"); // still answering
    }
    SetExceptionSink(previous);
}

INSTANTIATE_TEST_SUITE_P(Entries, EntryGuard, ::testing::ValuesIn(kEntries), [](const auto& info) {
    QString name = info.param.name;
    return name.replace(' ', '_').toStdString();
});

} // namespace
} // namespace tolvane
