// A failure inside the grid's event handling reaches the program's one error sink and the grid
// carries on; it never unwinds through Qt's event loop. These run under a plain QApplication:
// no application object catches anything for the grid.
#include <stdexcept>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/editors/base/CellEditor.h"
#include "grid/host/ExceptionSink.h"

namespace tolvane::test {
namespace {

// Collects what reaches the sink while it lives.
class TReportedErrors {
public:
    TReportedErrors() : previous_(SetExceptionSink([this](const QString& m) { messages << m; })) {}
    ~TReportedErrors() { SetExceptionSink(std::move(previous_)); }
    QStringList messages;

private:
    TExceptionSink previous_;
};

TEST(GridErrors, ASortThatCannotReadACellIsReportedAndChangesNothing) {
    GridHarness h;
    TTextualColumn& numbers = h.AddColumn();
    numbers.SetSortType(stNumeric);
    h.grid->AddRows(3);
    h.grid->SetCellText(0, 0, "3");
    h.grid->SetCellText(0, 2, "1"); // row 1 stays empty: no number to sort by
    h.ShowAndFocus();

    QStringList reported;
    TExceptionSink previous = SetExceptionSink([&](const QString& m) { reported << m; });
    h.input.Click(40, 9); // the middle of the header cell
    SetExceptionSink(previous);

    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains("not a valid floating point value")) << reported[0].toStdString();
    EXPECT_EQ(h.grid->GetCellText(0, 0), "3");
    EXPECT_EQ(h.grid->GetCellText(0, 2), "1");
    h.input.Key(VK_DOWN); // still answering
    EXPECT_EQ(h.grid->Row(), 1);
}

// A grid with two editable text columns, the second keeping its cells as floating point
// numbers, and more rows than it shows.
class GridCommitErrors : public ::testing::Test {
protected:
    void SetUp() override {
        h.grid->SetOptions({goGrid, goHeader});
        auto& text = h.AddColumn(100);
        text.SetOptions(text.Options() + coEditing);
        auto& number = h.AddColumn(80);
        number.SetCellKind(ckFloat);
        number.SetOptions(number.Options() + coEditing);
        for (int r = 0; r < 40; ++r) h.AddRows({QString("row %1").arg(r)});
        for (int r = 0; r < 40; ++r) h.grid->SetCellText(1, r, "1.5");
        h.ShowAndFocus();
    }
    void ThrowOnAccept() {
        h.grid->OnEditAccept = [](TCustomGridViewControl*, int, int, const QString& v, bool&) {
            throw std::runtime_error(("refused: " + v).toStdString());
        };
    }
    QScrollBar* VerticalBar() const {
        for (QScrollBar* bar :
             h.grid->Widget()->findChildren<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly))
            if (bar->orientation() == Qt::Vertical) return bar;
        return nullptr;
    }
    // The program carries on: Escape drops the edit, and the keys move the current cell.
    void ExpectUsable(int col, const QString& oldText) {
        h.input.Key(VK_ESCAPE);
        EXPECT_EQ(h.grid->ActiveEditor(), nullptr);
        EXPECT_EQ(h.grid->GetCellText(col, 0), oldText);
        const int row = h.grid->Row();
        h.input.Key(VK_DOWN);
        EXPECT_EQ(h.grid->Row(), row + 1);
    }

    GridHarness h;
};

TEST_F(GridCommitErrors, AThrowingAcceptHandlerOnEnterIsReportedOnceAndTheEditStaysOpen) {
    ThrowOnAccept();
    TReportedErrors errors;
    h.input.Type("typed");
    ASSERT_NE(h.grid->ActiveEditor(), nullptr);
    QPointer<QLineEdit> field = h.grid->ClientWidget()->findChild<QLineEdit*>();
    ASSERT_TRUE(field);
    h.input.Key(VK_RETURN); // through the edit field's own key handling

    EXPECT_EQ(errors.messages, QStringList{"refused: typed"});
    ASSERT_NE(h.grid->ActiveEditor(), nullptr); // nothing stored, nothing typed lost
    EXPECT_EQ(h.grid->ActiveEditor()->Text(), "typed");
    EXPECT_EQ(h.grid->GetCellText(0, 0), "row 0");
    ExpectUsable(0, "row 0");

    // The field counted its running events back down: dropping the editor takes it at once.
    h.grid->Columns().Clear();
    EXPECT_TRUE(field.isNull());
}

TEST_F(GridCommitErrors, ATextThatIsNoNumberCommittedIntoAFloatCellIsReportedOnce) {
    h.input.Key(VK_RIGHT);
    TReportedErrors errors;
    h.input.Type("abc");
    ASSERT_NE(h.grid->ActiveEditor(), nullptr);
    h.input.Key(VK_RETURN);

    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains("abc")) << errors.messages[0].toStdString();
    EXPECT_EQ(h.grid->GetCellText(1, 0), "1.5");
    ExpectUsable(1, "1.5");
}

TEST_F(GridCommitErrors, AThrowingCommitDuringAScrollIsReportedAndTheScrollCompletes) {
    ThrowOnAccept();
    TReportedErrors errors;
    h.input.Type("typed");
    ASSERT_NE(h.grid->ActiveEditor(), nullptr);
    QScrollBar* bar = VerticalBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(h.grid->ScrollBarVisible(sbVertical));
    const TRect before = h.grid->GetCellRect(0, 3);
    h.grid->PaintNow();
    const QImage top = h.grid->Surface().copy();

    bar->triggerAction(QAbstractSlider::SliderPageStepAdd); // the bar's own slot

    EXPECT_EQ(errors.messages, QStringList{"refused: typed"});
    EXPECT_GT(h.grid->VertPosition(), 0);
    EXPECT_LT(h.grid->GetCellRect(0, 3).Top, before.Top);
    // The edit stays open with its text.
    ASSERT_NE(h.grid->ActiveEditor(), nullptr);
    EXPECT_EQ(h.grid->ActiveEditor()->Text(), "typed");
    // The picture moved with the position: what is painted now is what a full repaint paints.
    h.grid->PaintNow();
    const QImage scrolled = h.grid->Surface().copy();
    h.grid->Invalidate();
    h.grid->PaintNow();
    EXPECT_EQ(scrolled, h.grid->Surface());
    EXPECT_NE(scrolled, top);
    ExpectUsable(0, "row 0");
}

} // namespace
} // namespace tolvane::test
