// The catalogue window as a user meets it: focus, hints, colours, size and a catalogue that
// cannot be written, driven through real input events.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/GridTitleList.h"
#include "grid/control/GridView.h"
#include "grid/control/input/TextFitHint.h"
#include "grid/host/SystemColors.h"
#include "support/PointerRouter.h"

namespace tolvane {
namespace {

using test::TTestCatalog;

const QString kComment = QString::fromUtf8("Комментарий");

class CatalogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = TErrorReporter::SetSink([this](const QString& m) { errors << m; });
    }
    void TearDown() override {
        form.reset();
        TErrorReporter::SetSink(std::move(previous_));
    }

    void Fill() {
        first = catalogue.AddTitle("Nana", "TV", "47", "first");
        catalogue.AddEpisode(first, {"nana01.avi", 700'000'000LL, 640, 480, 1'380'000});
        catalogue.AddTitle("Ghost in the Shell: Stand Alone Complex, the complete series", "TV", "26");
        catalogue.AddTitle("Akira", "Movie", "1");
    }
    void Open(TOpenMode mode = TOpenMode::omReadWrite) {
        form = std::make_unique<TCatalogForm>(catalogue.Path(), mode);
        form->show();
        QApplication::setActiveWindow(form.get());
        QCoreApplication::processEvents();
    }
    TGridView& Grid() { return dynamic_cast<TGridTitleList&>(*form->GV).Grid(); }

    // A key pressed and released on whatever has the keyboard focus.
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QKeyEvent e(type, key, modifiers, type == QEvent::KeyPress ? text : QString());
            QCoreApplication::sendEvent(focus, &e);
        }
    }
    bool ListFocused() const {
        const QWidget* focus = QApplication::focusWidget();
        return focus && (focus == form->GV->Widget() || form->GV->Widget()->isAncestorOf(focus));
    }
    // The colour of a name cell away from its text, as painted now.
    TColor CellBackground(int row) {
        TGridView& grid = Grid();
        grid.PaintNow();
        const TRect r = grid.GetCellRect(1, row);
        return grid.SurfacePixel(r.Right - 3, (r.Top + r.Bottom) / 2);
    }
    // Whether some pixel of a name cell has the colour.
    bool CellHasPixel(int row, TColor color) {
        TGridView& grid = Grid();
        grid.PaintNow();
        const TRect r = grid.GetCellRect(1, row);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (grid.SurfacePixel(x, y) == color) return true;
        return false;
    }

    TTestCatalog catalogue;
    std::unique_ptr<TCatalogForm> form;
    QStringList errors;
    std::int64_t first = 0;

private:
    TErrorReporter::TSink previous_;
};

TEST_F(CatalogWindowTest, FocusedListShowsItsHighlightHoweverItGotTheFocus) {
    Fill();
    const struct {
        const char* how;
        std::function<void()> focus;
    } ways[] = {
        {"at start-up", [] {}},
        {"Tab from the search box",
         [this] {
             form->EFound->setFocus();
             for (int i = 0; i < 10 && !ListFocused(); ++i) Press(Qt::Key_Tab);
         }},
        {"Shift+Tab from the count box",
         [this] {
             form->ECount->setFocus();
             Press(Qt::Key_Backtab, Qt::ShiftModifier);
         }},
        {"a click",
         [this] {
             form->EFound->setFocus();
             form->GV->ClickRow(0);
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        Open();
        way.focus();
        ASSERT_TRUE(ListFocused());
        EXPECT_EQ(CellBackground(0), ColorToRGB(clHighlight));
        Press(Qt::Key_Down);
        EXPECT_EQ(form->GV->CurrentRow(), 1);
        EXPECT_EQ(CellBackground(1), ColorToRGB(clHighlight));
        EXPECT_EQ(CellBackground(0), ColorToRGB(clWindow));
        // Away and back by keyboard: the highlight leaves with the focus and returns with it.
        Press(Qt::Key_Tab);
        EXPECT_FALSE(ListFocused());
        EXPECT_EQ(CellBackground(1), ColorToRGB(clWindow)) << "hidden without the focus";
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_TRUE(ListFocused());
        EXPECT_EQ(CellBackground(1), ColorToRGB(clHighlight));
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(CatalogWindowTest, TextFitHintStaysUpWhileThePointerRestsOnTheTitle) {
    Fill();
    Open();
    TGridView& grid = Grid();
    const TRect cell = grid.GetCellRect(1, 1);
    const TPoint at = grid.ClientToScreen({(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
    test::PointerRouter pointer;
    pointer.MoveTo(QPoint(at.X, at.Y));
    ASSERT_TRUE(grid.FitHint().Showing()) << "the long title does not fit";
    EXPECT_EQ(grid.FitHint().Text(), grid.GetCellText(1, 1));
    // Resting and nudging within the cell: the hint opened under the pointer must not take it.
    for (int dx : {1, 2, -1, 0}) {
        pointer.MoveTo(QPoint(at.X + dx, at.Y));
        EXPECT_TRUE(grid.FitHint().Showing()) << dx;
        EXPECT_EQ(pointer.Target(), grid.ClientWidget()) << dx;
    }
    // A click on the hint is a click on the title below it.
    pointer.Click();
    EXPECT_EQ(form->GV->CurrentRow(), 1);
    // Leaving the list for a short title hides it.
    const TRect shortCell = grid.GetCellRect(1, 2);
    const TPoint other = grid.ClientToScreen({shortCell.Left + 2, (shortCell.Top + shortCell.Bottom) / 2});
    pointer.MoveTo(QPoint(other.X, other.Y));
    EXPECT_FALSE(grid.FitHint().Showing());
}

// Restores the fixed table and the palette the test started with.
class PaletteGuard {
public:
    PaletteGuard() : saved_(QApplication::palette()) {}
    ~PaletteGuard() {
        QApplication::setPalette(saved_);
        UseClassicSystemColors();
    }

private:
    QPalette saved_;
};

// The list follows each keystroke, narrowing and widening, with the rows in the full list's
// order, their keys and names as stored, painted and readable, and the first of them shown.
TEST_F(CatalogWindowTest, SearchListsTheMatchingTitlesAsTheyNarrowAndWiden) {
    Fill();
    for (const char* name : {"akane", "Akagi", "Kara", "AKIRA 2"}) catalogue.AddTitle(name);
    Open();
    std::vector<std::pair<std::int64_t, QString>> all;
    for (int r = 0; r < form->GV->GetRowCount(); ++r) all.emplace_back(form->GV->IdAt(r), form->GV->GetCellText(1, r));
    ASSERT_EQ(all.size(), 7u);
    // Whether the painted name cell holds anything but its background: its text.
    auto painted = [&](int row) {
        TGridView& grid = Grid();
        grid.PaintNow();
        const TRect r = grid.GetCellRect(1, row);
        const TColor background = grid.SurfacePixel(r.Right - 3, (r.Top + r.Bottom) / 2);
        for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
            for (int x = r.Left + 2; x < (r.Left + r.Right) / 2; ++x)
                if (grid.SurfacePixel(x, y) != background) return true;
        return false;
    };
    for (const char* typed : {"a", "ak", "aki", "ak", "akiraz", "a", "", "K", "G", "gh", "AKA", ""}) {
        SCOPED_TRACE(typed);
        form->EFound->setText(typed);
        QCoreApplication::processEvents();
        std::vector<std::pair<std::int64_t, QString>> expected;
        for (const auto& title : all)
            if (title.second.startsWith(typed, Qt::CaseInsensitive)) expected.push_back(title);
        std::vector<std::pair<std::int64_t, QString>> listed;
        for (int r = 0; r < form->GV->GetRowCount(); ++r)
            listed.emplace_back(form->GV->IdAt(r), form->GV->GetCellText(1, r));
        EXPECT_EQ(listed, expected);
        for (int r = 0; r < form->GV->GetRowCount(); ++r) {
            EXPECT_EQ(form->GV->GetCellText(0, r), QString::number(expected[std::size_t(r)].first));
            EXPECT_EQ(Grid().GetCellText(1, r), expected[std::size_t(r)].second);
            EXPECT_TRUE(painted(r)) << "row " << r;
        }
        if (!expected.empty()) {
            EXPECT_EQ(form->GV->CurrentRow(), 0);
            EXPECT_EQ(form->ShownTitleId(), expected.front().first);
            EXPECT_EQ(form->ShownTitleName(), expected.front().second);
        }
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(CatalogWindowTest, ListFollowsTheApplicationPaletteAtRunTime) {
    Fill();
    PaletteGuard guard;
    UseApplicationPalette();
    QPalette light = QApplication::palette();
    light.setColor(QPalette::Base, QColor(250, 250, 240));
    light.setColor(QPalette::Text, QColor(10, 10, 20));
    light.setColor(QPalette::Highlight, QColor(40, 90, 200));
    light.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    QApplication::setPalette(light);
    Open();
    struct Expected {
        const char* name;
        QPalette palette;
    };
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(30, 32, 36));
    dark.setColor(QPalette::Text, QColor(220, 221, 222));
    dark.setColor(QPalette::Highlight, QColor(0, 120, 80));
    dark.setColor(QPalette::HighlightedText, QColor(250, 240, 0));
    dark.setColor(QPalette::Button, QColor(50, 50, 52));
    dark.setColor(QPalette::Window, QColor(50, 50, 52));
    auto rgb = [](const QColor& c) {
        return RGB(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()));
    };
    for (const Expected& e :
         {Expected{"light", light}, Expected{"dark", dark}, Expected{"light again", light}}) {
        SCOPED_TRACE(e.name);
        QApplication::setPalette(e.palette);
        QCoreApplication::processEvents();
        ASSERT_TRUE(ListFocused());
        EXPECT_EQ(CellBackground(1), rgb(e.palette.color(QPalette::Base)));
        EXPECT_TRUE(CellHasPixel(1, rgb(e.palette.color(QPalette::Text))));
        EXPECT_EQ(CellBackground(0), rgb(e.palette.color(QPalette::Highlight)));
        EXPECT_TRUE(CellHasPixel(0, rgb(e.palette.color(QPalette::HighlightedText))));
    }
}

TEST_F(CatalogWindowTest, WindowKeepsEveryControlWholeAndGivesWidthToFileNames) {
    Fill();
    Open();
    form->resize(600, 400);
    QCoreApplication::processEvents();
    const QRect window = form->rect();
    EXPECT_GT(form->width(), 600);
    EXPECT_GT(form->height(), 300);
    const QList<QWidget*> controls{form->EFound, form->GV->Widget(), form->CBType,  form->ECount, form->ESize,
                                   form->ETime,  form->EKoment,      form->DBGrid2, form->SBar};
    for (QWidget* w : controls) {
        EXPECT_TRUE(window.contains(w->geometry())) << w->objectName().toStdString();
        EXPECT_GT(w->width(), 40) << w->objectName().toStdString();
    }
    EXPECT_EQ(form->SBar->geometry().bottom(), window.bottom()) << "along the bottom edge";
    const int rowHeight = form->DBGrid2->verticalHeader()->defaultSectionSize();
    EXPECT_GE(form->DBGrid2->height(), 5 * rowHeight);
    EXPECT_GE(form->GV->Widget()->height(), 5 * rowHeight);

    // Growing from the design's size: the file name column gets back what it gave up for the
    // others to fit, the last column takes the rest, the others keep theirs.
    form->resize(form->Scaled(1057), form->Scaled(836));
    QCoreApplication::processEvents();
    QList<int> before;
    for (int c = 0; c < form->DBGrid2->model()->columnCount(); ++c) before << form->DBGrid2->columnWidth(c);
    form->resize(form->width() + 300, form->height() + 100);
    QCoreApplication::processEvents();
    const int last = int(before.size()) - 1;
    int others = 0;
    for (int c = 0; c < last; ++c) {
        if (c > 0) EXPECT_EQ(form->DBGrid2->columnWidth(c), before[c]) << c;
        others += form->DBGrid2->columnWidth(c);
    }
    EXPECT_GE(form->DBGrid2->columnWidth(0), before[0]);
    const int view = form->DBGrid2->viewport()->width();
    ASSERT_GT(view - others, before[last]);
    EXPECT_EQ(form->DBGrid2->columnWidth(last), view - others);
    EXPECT_EQ(form->SBar->geometry().bottom(), form->rect().bottom());
}

TEST_F(CatalogWindowTest, EpisodeColumnsAreAsWideAsTheirTextsWithinReasonAndTheLastFillsTheRest) {
    const std::int64_t title = catalogue.AddTitle("Nana");
    // An eleven-digit size, long subtitle lists, and a name far longer than any window.
    catalogue.AddEpisode(title, {QString("Nana ").repeated(200'000), 12'345'678'901LL, 1920, 1080, 1'380'000,
                                 "AAC 5.1, AAC 2.0, Opus 2.0"});
    catalogue.AddEpisode(title, {"nana02.mkv", 1'000LL, 640, 480, 1'000});
    test::TRawDb(catalogue.Path())
        .Exec(QString::fromUtf8("UPDATE \"Серии\" SET \"Субтитры встроенные\" = 'English, Japanese, Russian', "
                                "\"Субтитры внешние\" = 'nana.en.ass, nana.ru.ass'"));
    Open();
    QTableView& table = *form->DBGrid2;
    const QAbstractItemView& items = table;
    const int columns = table.model()->columnCount();
    const int view = table.viewport()->width();
    int total = 0;
    for (int c = 0; c < columns; ++c) {
        const int needed = std::max(items.sizeHintForColumn(c), table.horizontalHeader()->sectionSizeHint(c));
        // The file names give up width for the others to stay in view.
        if (c > 0) EXPECT_GE(table.columnWidth(c), std::min(needed, view / 2)) << c;
        total += table.columnWidth(c);
    }
    EXPECT_GE(table.columnWidth(0), form->Scaled(120));
    EXPECT_LE(table.columnWidth(0), view / 2) << "one long name takes half at most";
    EXPECT_GE(total, view) << "the last column takes what the others leave";
}

TEST_F(CatalogWindowTest, ReadOnlyCatalogueSaysSoAndTakesNoInput) {
    Fill();
    for (const TOpenMode mode : {TOpenMode::omReadWrite, TOpenMode::omReadOnly}) {
        const bool readOnly = mode == TOpenMode::omReadOnly;
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        Open(mode);
        EXPECT_EQ(form->ReadOnly(), readOnly);
        EXPECT_EQ(form->windowTitle(), readOnly ? "Tolvane (read-only)" : "Tolvane");
        EXPECT_EQ(form->SBarReadOnly->isVisibleTo(form.get()), readOnly);
        EXPECT_EQ(form->SBarReadOnly->text(), "(read-only)");
        EXPECT_EQ(form->SBarPanel->text(), QString::fromUtf8("Всего: 3"));

        form->EKoment->setFocus();
        Press(Qt::Key_End);
        Press(Qt::Key_X, Qt::NoModifier, "x");
        EXPECT_EQ(form->EKoment->text(), readOnly ? "first" : "firstx");
        form->CBType->setFocus();
        Press(Qt::Key_Down);
        EXPECT_EQ(form->CBType->currentText(), readOnly ? "TV" : "Movie") << "the list's next item";
        form->CBType->showPopup();
        EXPECT_EQ(form->CBType->view()->isVisible(), !readOnly);
        form->CBType->hidePopup();
        const QAbstractItemModel* episodes = form->DBGrid2->model();
        EXPECT_EQ(bool(episodes->flags(episodes->index(0, 0)) & Qt::ItemIsEditable), !readOnly);

        form->close();
        EXPECT_EQ(catalogue.TitleField(first, kComment).toString(), readOnly ? "first" : "firstx");
        EXPECT_EQ(catalogue.TitleField(first, QString::fromUtf8("Тип")).toString(),
                  readOnly ? "TV" : "Movie");
        form.reset();
        test::TRawDb(catalogue.Path())
            .Exec(QString::fromUtf8("UPDATE \"Sp\" SET \"Комментарий\" = 'first', \"Тип\" = 'TV'"));
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

} // namespace
} // namespace tolvane
