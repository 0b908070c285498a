// The grid gallery: one grid in each header look, showing every column class with header,
// input row and footer (one footer formula of each kind), and a grid of slides. The title, size,
// aired, seen and type columns edit in place: type, or click the current cell; the size has spin
// arrows, the aired date drops a month calendar, the type drops a list of its items (a click
// anywhere over it), and a seen box toggles with a click or the space bar. Enter in the input
// row adds a row.
//
// In the report grids columns are sized by dragging their header edges, moved by dragging their
// header cells, hidden by dropping a header cell below the header, and sorted by clicking their
// header. A right click on a header lists the columns to show or hide them. The line at the
// bottom tells the last header click, resize and sort.
//
// A failure (a commit the cell refuses, a sort over a cell that is no number) shows its message
// through the grid library's error sink, and the gallery carries on; the gallery's own slots
// guard themselves the same way.
//
//   gallery                    opens the window
//   gallery --screenshot DIR   writes one PNG per grid into DIR and exits

#include <cstdint>
#include <memory>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QString>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "grid/base/Conversions.h"
#include "grid/base/FormatFloat.h"
#include "grid/control/GridView.h"
#include "grid/host/Bitmap.h"
#include "grid/host/ExceptionSink.h"
#include "grid/model/cells/Cell.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"
#include "grid/model/columns/classes/ComboBoxColumn.h"
#include "grid/model/columns/classes/DateColumn.h"
#include "grid/model/columns/classes/GraphicColumn.h"
#include "grid/model/columns/classes/HtmlColumn.h"
#include "grid/model/columns/classes/ImageColumn.h"
#include "grid/model/columns/classes/IncrementColumn.h"
#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/model/columns/classes/ProgressColumn.h"
#include "grid/model/columns/classes/RateColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"
#include "grid/shared/ThemesSupport.h"

using namespace tolvane;

namespace {

// Pictures shared by every grid: a small icon list, rating glyphs and cell pictures.
struct Pictures {
    TImageList icons{16, 16};
    TBitmap star{12, 12};
    TBitmap emptyStar{12, 12};
    std::vector<std::unique_ptr<TBitmap>> photos;

    static TBitmap Square(int w, int h, TColor fill, TColor frame) {
        TBitmap b(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                b.SetPixel(x, y, (x == 0 || y == 0 || x == w - 1 || y == h - 1) ? frame : fill);
        return b;
    }

    // A 32-bit box whose inside is see-through, so that it shows the cell's own colour whatever
    // the palette; `frame` is a 32-bit pixel (alpha, red, green, blue).
    static TBitmap Frame(int w, int h, std::uint32_t frame) {
        TBitmap b(w, h, pf32bit);
        for (int y = 0; y < h; ++y) {
            std::uint32_t* row = b.ScanLine(y);
            for (int x = 0; x < w; ++x) row[x] = (x == 0 || y == 0 || x == w - 1 || y == h - 1) ? frame : 0u;
        }
        return b;
    }

    Pictures() {
        for (TColor c : {clRed, clGreen, clBlue, RGB(255, 200, 0)}) icons.Add(Square(16, 16, c, clBlack));
        star = Square(12, 12, RGB(255, 190, 0), RGB(160, 100, 0));
        emptyStar = Frame(12, 12, 0xFF808080u);
        for (TColor c : {RGB(90, 140, 200), RGB(200, 90, 90), RGB(90, 180, 90), RGB(180, 180, 60)}) {
            auto photo = std::make_unique<TBitmap>(40, 30);
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x) photo->SetPixel(x, y, (x + y) % 10 < 5 ? c : clWhite);
            photos.push_back(std::move(photo));
        }
    }
};

// Progress shown to one decimal at most: the average footer reads "41.7", not "41.6666666666667".
class TPercentColumn : public TProgressColumn {
public:
    QString FormatText(const QString& value) const override { return FormatFloat("0.#", StrToFloat(value)); }
};

template <class C>
C& AddColumn(TGridView& grid, const QString& caption, int width, const QString& inputCaption = QString()) {
    C& column = grid.Columns().Add<C>();
    column.SetColor(clWindow);
    column.SetWidth(width);
    column.Header().SetCaption(caption);
    column.SetInputCaption(inputCaption.isEmpty() ? caption : inputCaption);
    return column;
}

// A report grid with every column class and one row of fixed parts each.
std::unique_ptr<TGridView> MakeReportGrid(THeaderStyle style, Pictures& pictures) {
    auto grid = std::make_unique<TGridView>();
    grid->SetOptions({goHeader, goInput, goFooter, goGrid, goIndicator, goSelectFullRow, goCanHideColumn});
    grid->SetHeaderStyle(style);
    grid->SetAppearanceOptions({aoHideSelection, aoHintMarks, aoIndicateSortedColumn});

    auto& number = AddColumn<TIncrementColumn>(*grid, "No", 36);
    number.Footer().SetFormulaKind(fkCount);
    auto& title = AddColumn<TTextualColumn>(*grid, "Title", 110, "new title");
    title.SetOptions(title.Options() + coSearchColumn + coEditing);
    auto& size = AddColumn<TNumericColumn>(*grid, "Size", 70);
    size.SetOptions(size.Options() + coEditing);
    size.SetAlignment(taRightJustify);
    size.SetMax(100000);
    size.SetIncrement(10);
    size.SetTextAfter(" MB");
    size.Footer().SetFormulaKind(fkSum);
    auto& aired = AddColumn<TDateColumn>(*grid, "Aired", 80);
    aired.SetOptions(aired.Options() + coEditing);
    auto& seen = AddColumn<TCheckBoxColumn>(*grid, "Seen", 40);
    seen.SetOptions(seen.Options() + coEditing);
    auto& done = AddColumn<TPercentColumn>(*grid, "Done", 80);
    done.SetShowText(true);
    done.Footer().SetFormulaKind(fkAverage);
    auto& rate = AddColumn<TRateColumn>(*grid, "Rate", 70);
    rate.SetGlyph(pictures.star);
    rate.SetEmptyGlyph(pictures.emptyStar);
    rate.SetMax(5);
    rate.Footer().SetFormulaKind(fkMaximum);
    auto& icon = AddColumn<TImageColumn>(*grid, "Icon", 40);
    icon.SetImages(&pictures.icons);
    auto& picture = AddColumn<TGraphicColumn>(*grid, "Picture", 60);
    auto& note = AddColumn<THtmlColumn>(*grid, "Note", 130);
    auto& kind = AddColumn<TComboBoxColumn>(*grid, "Type", 60);
    kind.SetItems({"TV", "OVA", "Movie"});
    kind.SetImages(&pictures.icons);
    kind.SetStyle(cbsDropDownList);
    kind.SetOptions(kind.Options() + coEditing);

    const char* titles[] = {"Haibane Renmei", "Mushishi", "Kino no Tabi", "Planetes", "Texhnolyze"};
    const char* notes[] = {"<b>bold</b> and plain", "<i>quiet</i> <u>episodes</u>",
                           "<a href=\"#\">link</a> look", "space <font color=\"red\">debris</font>",
                           "<B><I>dark</I></B> <font color=gray>end"};
    const char* kinds[] = {"TV", "OVA", "Movie", "TV", "TV"};
    const int rows = 5;
    grid->AddRows(rows);
    for (int r = 0; r < rows; ++r) {
        grid->SetCellText(title.GetIndex(), r, titles[r]);
        grid->SetCellText(size.GetIndex(), r, QString::number(120 + 37 * r));
        grid->GetCell(aired.GetIndex(), r)->SetAsDateTime(38000 + 91 * r);
        grid->GetCell(seen.GetIndex(), r)->SetAsBoolean(r % 2 == 0);
        grid->GetCell(done.GetIndex(), r)->SetAsFloat(20 * r + 10);
        grid->GetCell(rate.GetIndex(), r)->SetAsInteger(r % 6);
        grid->GetCell(icon.GetIndex(), r)->SetAsInteger(r % 4);
        grid->GetCell(picture.GetIndex(), r)->SetPicture(pictures.photos[r % pictures.photos.size()].get());
        grid->SetCellText(note.GetIndex(), r, notes[r]);
        grid->SetCellText(kind.GetIndex(), r, kinds[r]);
    }
    grid->GetCell(title.GetIndex(), 1)->SetHint("a hint mark shows in the corner");
    grid->CalculateFooters();
    // Edited values and added rows count in the footers at once.
    grid->OnAfterEdit = [](TCustomGridViewControl* sender, int, int, const QString&) {
        static_cast<TGridView*>(sender)->CalculateFooters();
    };
    grid->OnInputAdded = [](TCustomGridViewControl* sender) {
        static_cast<TGridView*>(sender)->CalculateFooters();
    };
    size.SetSorted(true);
    grid->SetCurrentRow(1);
    grid->SetBounds(0, 0, 860, 200);
    return grid;
}

std::unique_ptr<TGridView> MakeSlidesGrid() {
    auto grid = std::make_unique<TGridView>();
    grid->SetGridStyle(gsSlides);
    grid->SetOptions({goGrid});
    grid->SetSlideSize(60);
    auto& title = AddColumn<TTextualColumn>(*grid, "Title", 80);
    title.SlideBounds().SetLeft(8);
    title.SlideBounds().SetTop(6);
    title.SlideBounds().SetWidth(300);
    title.SlideBounds().SetHeight(20);
    auto& done = AddColumn<TProgressColumn>(*grid, "Done", 80);
    done.SlideBounds().SetLeft(8);
    done.SlideBounds().SetTop(30);
    done.SlideBounds().SetWidth(300);
    done.SlideBounds().SetHeight(22);
    const char* titles[] = {"First slide", "Second slide", "Third slide"};
    grid->AddRows(3);
    for (int r = 0; r < 3; ++r) {
        grid->SetCellText(0, r, titles[r]);
        grid->GetCell(1, r)->SetAsFloat(30 * (r + 1));
    }
    grid->SetBounds(0, 0, 860, 190);
    return grid;
}

// A menu of the grid's columns by caption; choosing one shows or hides it.
void ShowColumnMenu(TGridView& grid) {
    QMenu menu;
    for (int i = 0; i < grid.Columns().Count(); ++i) {
        TCustomColumn& column = grid.Columns()[i];
        QAction* action = menu.addAction(column.Header().Caption());
        action->setCheckable(true);
        action->setChecked(column.Visible());
        QObject::connect(action, &QAction::toggled,
                         [&column](bool on) { GuardedCall([&] { column.SetVisible(on); }); });
    }
    menu.exec(QCursor::pos());
}

// Column interaction for a report grid: the header menu and the report of the last events.
void WireColumnInteraction(TGridView& grid, QLabel* status) {
    const auto caption = [&grid](int col) { return grid.Columns()[col].Header().Caption(); };
    grid.OnMouseUp = [&grid](TMouseButton button, TShiftState, int x, int y) {
        if (button != mbRight || grid.GetAreaAt(x, y) != gaHeader) return;
        // After the release has been handled to its end.
        QTimer::singleShot(0, grid.Widget(), [&grid] { GuardedCall([&] { ShowColumnMenu(grid); }); });
    };
    grid.OnHeaderClick = [status, caption](TCustomGridViewControl*, int col) {
        status->setText(QString("Header click: %1").arg(caption(col)));
    };
    grid.OnColumnResize = [status, caption, &grid](TCustomGridViewControl*, int col) {
        status->setText(
            QString("Resized: %1 to %2 pixels").arg(caption(col)).arg(grid.Columns()[col].Width()));
    };
    grid.OnSortColumn = [status, caption](TCustomGridViewControl*, int col, bool ascending) {
        status->setText(
            QString("Sorted by %1, %2").arg(caption(col), ascending ? "ascending" : "descending"));
    };
}

} // namespace

int main(int argc, char** argv) {
    // Screenshots need no screen.
    for (int i = 1; i < argc; ++i)
        if (QString(argv[i]) == "--screenshot" && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LoadThemeLibrary();
    QString screenshotDir;
    const QStringList args = app.arguments();
    if (const int i = args.indexOf("--screenshot"); i >= 0 && i + 1 < args.size())
        screenshotDir = args[i + 1];

    Pictures pictures;
    struct Entry {
        QString name;
        std::unique_ptr<TGridView> grid;
    };
    std::vector<Entry> grids;
    grids.push_back({"default", MakeReportGrid(hsAuto, pictures)});
    grids.push_back({"flat", MakeReportGrid(hsFlatBorders, pictures)});
    grids.push_back({"oldstyle", MakeReportGrid(hsOldStyle, pictures)});
    grids.push_back({"slides", MakeSlidesGrid()});

    if (!screenshotDir.isEmpty()) {
        QDir().mkpath(screenshotDir);
        for (Entry& e : grids) {
            e.grid->Invalidate();
            e.grid->PaintNow();
            e.grid->Surface().save(QDir(screenshotDir).filePath("gallery-" + e.name + ".png"));
        }
        return 0;
    }

    QWidget window;
    window.setWindowTitle("Grid gallery");
    auto* layout = new QVBoxLayout(&window);
    auto* status = new QLabel("Drag header edges to size, header cells to move (below the header to hide); "
                              "click to sort; right-click for the column list",
                              &window);
    for (Entry& e : grids) {
        layout->addWidget(new QLabel(e.name, &window));
        e.grid->Widget()->setMinimumSize(e.grid->Width(), e.grid->Height());
        layout->addWidget(e.grid->Widget());
        if (e.grid->GridStyle() == gsReport) WireColumnInteraction(*e.grid, status);
    }
    layout->addWidget(status);
    window.show();
    const int result = app.exec();
    // The grids own their widgets; take them out of the window before it goes.
    for (Entry& e : grids) e.grid->SetParentWidget(nullptr);
    return result;
}
