// The episode table's column widths: a width the user drags a column to stays through other
// titles and window sizes, until a double click on the column's edge fits it again.
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/TitleList.h"

namespace tolvane {
namespace {

// A mouse event on the header at a point of it, as the window system delivers it.
void Mouse(QHeaderView& header, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, header.viewport()->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(header.viewport(), &e);
}

// The point on the right edge of a column, where the pointer takes it to resize it.
QPoint EdgeOf(const QHeaderView& header, int column) {
    return {header.sectionViewportPosition(column) + header.sectionSize(column) - 1, header.height() / 2};
}

TEST(EpisodeColumnWidth, AWidthTheUserDraggedStaysUntilTheColumnEdgeIsDoubleClicked) {
    test::TTestCatalog catalogue;
    for (const char* title : {"Nana", "Akira"}) {
        const std::int64_t id = catalogue.AddTitle(title);
        catalogue.AddEpisode(id, {QString(title) + "01.mkv", 700LL, 640, 480, 1'000, "AAC 2.0"});
        catalogue.AddEpisode(id, {QString(title) + "02.mkv", 800LL, 640, 480, 1'000, "AAC 2.0"});
    }
    TCatalogForm form(catalogue.Path());
    form.show();
    QCoreApplication::processEvents();
    QTableView& table = *form.DBGrid2;
    QHeaderView& header = *table.horizontalHeader();
    int audio = 0;
    while (table.model()->headerData(audio, Qt::Horizontal).toString() != QString::fromUtf8("Звук")) ++audio;
    const int fitted = table.columnWidth(audio);

    const QPoint edge = EdgeOf(header, audio);
    Mouse(header, QEvent::MouseButtonPress, edge, Qt::LeftButton);
    Mouse(header, QEvent::MouseMove, edge + QPoint(30, 0), Qt::LeftButton);
    Mouse(header, QEvent::MouseMove, edge + QPoint(60, 0), Qt::LeftButton);
    Mouse(header, QEvent::MouseButtonRelease, edge + QPoint(60, 0), Qt::NoButton);
    ASSERT_EQ(table.columnWidth(audio), fitted + 60) << "the drag resized the column";

    // Another title's episodes, and another window size.
    form.GV->ClickRow(1);
    QCoreApplication::processEvents();
    ASSERT_EQ(table.model()->index(0, 0).data().toString(), "Akira01.mkv");
    EXPECT_EQ(table.columnWidth(audio), fitted + 60) << "kept through a reload";
    form.resize(form.width() + 200, form.height() + 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(table.columnWidth(audio), fitted + 60) << "kept through a resize";
    const int last = table.model()->columnCount() - 1;
    int others = 0;
    for (int c = 0; c < last; ++c) others += table.columnWidth(c);
    EXPECT_EQ(table.columnWidth(last), table.viewport()->width() - others) << "the last column still fills";

    // A double click on the edge: press, release, the second press as a double click, release.
    const QPoint moved = EdgeOf(header, audio);
    Mouse(header, QEvent::MouseButtonPress, moved, Qt::LeftButton);
    Mouse(header, QEvent::MouseButtonRelease, moved, Qt::NoButton);
    Mouse(header, QEvent::MouseButtonDblClick, moved, Qt::LeftButton);
    Mouse(header, QEvent::MouseButtonRelease, moved, Qt::NoButton);
    EXPECT_EQ(table.columnWidth(audio), fitted) << "fitted again";
    form.GV->ClickRow(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(table.columnWidth(audio), fitted);
}

} // namespace
} // namespace tolvane
