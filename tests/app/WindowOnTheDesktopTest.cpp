// The window as a desktop shows it: where it opens, and the keyboard's way round its controls.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/GridTitleList.h"
#include "app/WindowPlacement.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

class WindowOnTheDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = TErrorReporter::SetSink([this](const QString& m) { errors << m; });
        const std::int64_t nana = catalogue.AddTitle("Nana", "TV", "47", "first");
        catalogue.AddEpisode(nana, {"nana01.avi", 700'000'000LL, 640, 480, 1'380'000});
        catalogue.AddEpisode(nana, {"nana02.avi", 700'000'000LL, 640, 480, 1'380'000});
        catalogue.AddTitle("Akira", "Movie", "1");
        form = std::make_unique<TCatalogForm>(catalogue.Path(), TOpenMode::omReadWrite);
        form->show();
        QApplication::setActiveWindow(form.get());
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        form.reset();
        TErrorReporter::SetSink(std::move(previous_));
    }
    // The control of the window that holds the keyboard focus (a combo box for its line edit).
    QWidget* FocusedControl() const {
        const std::vector<QWidget*> controls = Controls();
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            for (QWidget* c : controls)
                if (w == c) return c;
        return nullptr;
    }
    // The eight controls in the window's tab order.
    std::vector<QWidget*> Controls() const {
        return {form->GV->Widget(), form->ECount,  form->ESize,  form->ETime,
                form->EKoment,      form->DBGrid2, form->EFound, form->CBType};
    }
    static void Press(int key, Qt::KeyboardModifiers modifiers) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QKeyEvent e(type, key, modifiers);
            QCoreApplication::sendEvent(focus, &e);
        }
    }

    TTestCatalog catalogue;
    std::unique_ptr<TCatalogForm> form;
    QStringList errors;

private:
    TErrorReporter::TSink previous_;
};

} // namespace

TEST_F(WindowOnTheDesktopTest, TabAndShiftTabCycleThroughAllEightControls) {
    const std::vector<QWidget*> order = Controls();
    const struct {
        const char* keys;
        int key;
        Qt::KeyboardModifiers modifiers;
        int step;
    } ways[] = {{"Tab", Qt::Key_Tab, Qt::NoModifier, 1}, {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, -1}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.keys);
        // The episode table takes the focus with a current cell, as after a click into it.
        form->DBGrid2->setFocus();
        form->DBGrid2->setCurrentIndex(form->DBGrid2->model()->index(0, 0));
        const int n = int(order.size());
        int at = 5;
        ASSERT_EQ(FocusedControl(), order[at]);
        for (int k = 0; k < 2 * n; ++k) {
            Press(way.key, way.modifiers);
            at = (at + way.step + n) % n;
            ASSERT_EQ(FocusedControl(), order[at]) << "after " << k + 1 << " presses";
        }
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(WindowOnTheDesktopTest, OpensWithinTheScreenCentred) {
    const QRect screen = form->screen()->availableGeometry();
    const QRect frame = form->frameGeometry();
    EXPECT_TRUE(screen.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                        << frame.height() << " on " << screen.width() << "x" << screen.height();
    EXPECT_GE(form->width(), form->minimumWidth());
    EXPECT_GE(form->height(), form->minimumHeight());
    // Centred by the frame expected before the window is shown, which the platform's may differ from.
    EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 16);
    EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 16);
}

TEST(WindowPlacement, FitsTheDesignSizeIntoTheAvailableAreaDownToTheMinimum) {
    const QMargins frame(4, 24, 4, 4);
    const struct {
        const char* what;
        QSize design, minimum;
        QRect available;
        QRect client;
    } cases[] = {
        {"room enough: design size, centred", {846, 669}, {730, 246}, {0, 0, 1600, 1000}, {377, 175, 846, 669}},
        {"a 2x screen: shrunk to the area", {846, 669}, {730, 246}, {0, 0, 800, 500}, {4, 24, 792, 472}},
        {"an area with a panel on top", {846, 669}, {730, 246}, {0, 30, 800, 470}, {4, 54, 792, 442}},
        {"smaller than the minimum: the minimum, caption on screen", {846, 669}, {730, 246}, {0, 0, 640, 200},
         {4, 24, 730, 246}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TWindowPlacement::FitCentred(c.design, c.minimum, c.available, frame), c.client) << c.what;
    }
}
