// A date cell means what the user chose: emptied, it is empty everywhere; a text that is no
// date is refused in its editor and the cell keeps its value. Real key and mouse
// events into a real grid.
#include <gtest/gtest.h>

#include <functional>

#include <QLineEdit>

#include "GridTestSupport.h"
#include "grid/base/Conversions.h"
#include "grid/editors/base/CellEditor.h"
#include "grid/editors/choice/DatePickerEditor.h"
#include "grid/editors/popups/DatePopup.h"
#include "grid/host/Clipboard.h"
#include "grid/host/ExceptionSink.h"
#include "grid/model/cells/Cell.h"
#include "grid/model/columns/classes/DateColumn.h"
#include "support/PopupEditorDriver.h"

namespace tolvane::test {
namespace {

const TDateTime kJan14 = TMonthGrid::EncodeDate(2004, 1, 14);
const TDateTime kBefore1899 = TMonthGrid::EncodeDate(1899, 12, 20); // a negative day

// One date column; row 0 holds 14 Jan 2004, row 1 day 0 set in code, row 2 a day before it.
class DateCellEditing : public ::testing::Test {
public:
    void SetUp() override {
        TDateColumn& dates = h.grid->Columns().Add<TDateColumn>();
        dates.SetColor(clWindow);
        dates.SetWidth(120);
        dates.SetOptions(dates.Options() + coEditing + coCanSort);
        h.grid->AddRows(3);
        h.grid->GetCell(0, 0)->SetAsDateTime(kJan14);
        h.grid->GetCell(0, 1)->SetAsDateTime(0);
        h.grid->GetCell(0, 2)->SetAsDateTime(kBefore1899);
        h.ShowAndFocus();
        h.grid->SetCurrentCell(0, 0, {});
    }

    // Two clicks on the current cell start its editor.
    TCellEditor* StartEditor(int row) {
        const TRect r = h.grid->GetCellRect(0, row);
        for (int i = 0; i < 2 && !h.grid->ActiveEditor(); ++i) h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
        return h.grid->ActiveEditor();
    }

    // Whether any pixel inside the cell's text area differs from the window colour.
    bool ShowsSomething(int row) {
        const TRect r = h.grid->GetCellRect(0, row);
        for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
            for (int x = r.Left + 2; x < r.Right - 2; ++x)
                if (Rgb(h.Pixel(x, y)) != Rgb(clWindow)) return true;
        return false;
    }

    GridHarness h;
};

TEST_F(DateCellEditing, AnOpenEditorShowsTheStartOfADateWiderThanItsField) {
    h.grid->Columns()[0].SetWidth(66); // the date fits the cell, not the field beside the button
    TCellEditor* editor = StartEditor(0);
    ASSERT_NE(editor, nullptr);
    auto* field = editor->Widget()->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), DateToStr(kJan14));
    ASSERT_GT(field->fontMetrics().horizontalAdvance(field->text()), field->contentsRect().width());
    const QRect caret = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(field->cursorPosition(), 0);
    EXPECT_LT(caret.left(), field->width() / 4) << "the view is scrolled to the start";
}

struct EmptyingCase {
    const char* name;
    std::function<void(DateCellEditing&)> empty;
};

class EmptiedDate : public DateCellEditing, public ::testing::WithParamInterface<EmptyingCase> {};

TEST_P(EmptiedDate, IsEmptyShownCopiedReadBackAndSortedFirst) {
    GetParam().empty(*this);
    ASSERT_EQ(h.grid->ActiveEditor(), nullptr);

    EXPECT_EQ(h.grid->GetCellText(0, 0), "");
    EXPECT_EQ(h.grid->GetCellText(0, 1), DateToStr(0)) << "day 0 set in code stays a date";

    h.grid->SetCurrentCell(0, 0, {});
    h.input.Key('C', TShiftState{ssCtrl});
    EXPECT_EQ(ClipboardText(), "\n");
    EXPECT_TRUE(ClipboardHtml().contains("<td></td>")) << ClipboardHtml().toStdString();

    h.grid->SetCurrentCell(0, 2, {}); // away, so that row 0 is painted as a plain cell
    EXPECT_FALSE(ShowsSomething(0));
    EXPECT_TRUE(ShowsSomething(1));

    h.grid->SortColumn(h.grid->Columns()[0], true);
    EXPECT_EQ(h.grid->GetCellText(0, 0), "");
    EXPECT_EQ(h.grid->GetCellText(0, 1), DateToStr(kBefore1899));
    EXPECT_EQ(h.grid->GetCellText(0, 2), DateToStr(0));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EmptiedDate,
    ::testing::Values(
        EmptyingCase{"NoneInTheCalendar",
                     [](DateCellEditing& t) {
                         auto* editor = dynamic_cast<TDatePickerEditor*>(t.StartEditor(0));
                         ASSERT_NE(editor, nullptr);
                         PopupEditorDriver(*editor).ClickArrow();
                         ASSERT_TRUE(editor->DroppedDown());
                         PopupEditorDriver(*editor).ClickPopup(TRect{79, 131, 79 + 48, 131 + 20});
                         EXPECT_EQ(editor->Text(), "");
                         t.h.input.Key(VK_RETURN);
                     }},
        EmptyingCase{"TextDeleted",
                     [](DateCellEditing& t) {
                         ASSERT_NE(t.StartEditor(0), nullptr);
                         t.h.input.Key('A', TShiftState{ssCtrl});
                         t.h.input.Key(VK_DELETE);
                         t.h.input.Key(VK_RETURN);
                     }},
        EmptyingCase{"EmptyTextSetInCode", [](DateCellEditing& t) { t.h.grid->SetCellText(0, 0, ""); }}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    bool inputRow; // typed into the input row, else into row 0
    const char* typed;
    const char* complaint; // a part of the message
};

class RefusedText : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedText, StaysInItsEditorWithAMessageAndTheCellKeepsItsValueEscapeLeaves) {
    const RefusalCase& c = GetParam();
    GridHarness h;
    h.grid->SetOptions({goGrid, goHeader, goInput});
    TDateColumn& column = h.grid->Columns().Add<TDateColumn>();
    column.SetWidth(120);
    column.SetOptions(column.Options() + coEditing + coCanInput);
    h.grid->AddRows(2);
    h.grid->GetCell(0, 0)->SetAsDateTime(kJan14);
    const QString before = h.grid->GetCellText(0, 0);
    h.ShowAndFocus();
    h.grid->SetCurrentCell(0, 0, {});
    if (c.inputRow) {
        const TRect r = h.grid->GetCellRect(0, 0, gaInput);
        h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
        ASSERT_NE(h.grid->ActiveEditor(), nullptr);
        h.grid->ActiveEditor()->SelectAll();
    }

    QStringList reported;
    TExceptionSink previous = SetExceptionSink([&](const QString& m) { reported << m; });
    h.input.Type(QString::fromLatin1(c.typed));
    TCellEditor* editor = h.grid->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    h.input.Key(VK_RETURN);
    const TCellEditor* afterEnter = h.grid->ActiveEditor();
    const QString textAfterEnter = editor->Text();
    const int rowAfterEnter = h.grid->Row();
    const int rowsAfterEnter = h.grid->GetRowCount();
    h.input.Key(VK_ESCAPE);
    SetExceptionSink(previous);

    EXPECT_EQ(afterEnter, editor) << "the editor stays open";
    EXPECT_EQ(textAfterEnter, QString::fromLatin1(c.typed));
    EXPECT_EQ(rowAfterEnter, 0);
    EXPECT_EQ(rowsAfterEnter, 2) << "no row is added";
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains(c.complaint)) << reported[0].toStdString();
    EXPECT_EQ(h.grid->ActiveEditor(), nullptr);
    EXPECT_TRUE(h.grid->Focused());
    EXPECT_EQ(h.grid->GetCellText(0, 0), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, RefusedText,
    ::testing::Values(RefusalCase{"DateGivenANumber", false, "99", "'99' is not a valid date"},
                      RefusalCase{"DateGivenNoSuchDay", false, "2/30/2004", "'2/30/2004' is not a valid date"},
                      RefusalCase{"InputRowGivenANumber", true, "99", "'99' is not a valid date"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tolvane::test
