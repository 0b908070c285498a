// Drop-down list benchmarks against QComboBox popping up the same items. Figures are the best
// of a few runs in milliseconds; the ratio is baseline / ours.
//  1. opening a combo box editor's drop-down list of 10 000 items (the arrow's press) until it
//     is painted;
//  2. choosing the last item with End and Enter (the list closes, the editor takes the item).

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

#include "BenchUtil.h"
#include "grid/editors/choice/ComboBoxEditor.h"
#include "grid/editors/popups/PopupList.h"

using namespace tolvane;

namespace {

constexpr int ItemCount = 10000;
constexpr int Runs = 15;

QStringList MakeItems() {
    QStringList items;
    items.reserve(ItemCount);
    for (int i = 0; i < ItemCount; ++i) items << QStringLiteral("Choice number %1").arg(i);
    return items;
}

void SendKey(QWidget* to, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(to, &release);
}

void BenchDropDown() {
    const QStringList items = MakeItems();

    // Ours: a combo box editor over a 150-pixel cell, dropped by its arrow.
    TComboBoxEditor editor;
    editor.SetItems(items);
    editor.SetStyle(dsDropDownList);
    editor.SetBounds(100, 70, 150, 20);
    editor.Widget()->show();
    QApplication::processEvents();
    TPopupList& list = editor.List();
    int ourChoice = -1;
    const auto openOurs = [&] {
        int x = editor.ClientWidth() - 4, y = editor.ClientHeight() / 2;
        editor.MouseDown(mbLeft, {}, x, y); // the arrow's press drops the list
        list.PaintNow();                     // the rows drawn on the surface
        list.Widget()->repaint();            // and copied to the window
    };
    const auto chooseOurs = [&] {
        int key = VK_END;
        editor.KeyDown(key, {});
        key = VK_RETURN;
        editor.KeyDown(key, {});
        ourChoice = editor.ItemIndex();
    };
    const auto resetOurs = [&] {
        if (!list.Closed()) list.ClosePopup();
        editor.SetItemIndex(0);
        list.SetSelectedIndex(0);
    };

    // Baseline: a combo box with the same items, eight visible.
    QComboBox combo;
    combo.setMaxVisibleItems(8);
    combo.addItems(items);
    combo.setGeometry(100, 70, 150, 24);
    combo.show();
    const auto openTheirs = [&] {
        combo.showPopup();
        combo.view()->viewport()->repaint();
    };
    const auto chooseTheirs = [&] {
        SendKey(combo.view(), Qt::Key_End);
        SendKey(combo.view(), Qt::Key_Return);
    };
    const auto resetTheirs = [&] {
        combo.hidePopup();
        combo.setCurrentIndex(0);
    };

    bench::Heading("Drop-down list of 10 000 items", "TComboBoxEditor", "QComboBox");
    const double openOur = bench::BestOf(Runs, openOurs, resetOurs);
    const double openTheir = bench::BestOf(Runs, openTheirs, resetTheirs);
    bench::Row("open until painted", openOur, openTheir);
    openOurs();
    std::printf("  painted: %s, top row highlighted: %s\n", list.PaintPending() ? "no" : "yes",
                list.SurfacePixel(list.ClientWidth() - 1, 8) == ColorToRGB(clHighlight) ? "yes" : "no");
    resetOurs();
    const double chooseOur = bench::BestOf(Runs, chooseOurs, [&] {
        resetOurs();
        openOurs();
    });
    const double chooseTheir = bench::BestOf(Runs, chooseTheirs, [&] {
        resetTheirs();
        openTheirs();
    });
    bench::Row("End + Enter chooses the last item", chooseOur, chooseTheir);
    std::printf("  chosen: ours %d (closed %s), theirs %d (popup %s)\n", ourChoice,
                list.Closed() ? "yes" : "no", combo.currentIndex(),
                combo.view()->isVisible() ? "open" : "closed");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf(
        "Tolvane popup benchmarks (best of runs; ratio = baseline / tolvane, higher is better for us)\n");
    BenchDropDown();
    return 0;
}
