// Drop-down list benchmarks against QComboBox popping up the same items. Figures are the best
// of a few runs in milliseconds; the ratio is baseline / ours.
//  1. opening a drop-down list of 10 000 items until it is painted;
//  2. choosing the last item with End and Enter (the list closes).

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

#include "BenchUtil.h"
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

    // Ours: the list as the combo box editor drops it under a 150-pixel cell.
    TPopupList list;
    list.SetItems(&items);
    list.SetDropDownSize(150, 8);
    int ourChoice = -1;
    list.OnSelect = [&](TPopupView*, const QString&) { ourChoice = list.SelectedIndex(); };
    const auto openOurs = [&] {
        list.Popup(100, 100);
        list.PaintNow();          // the rows drawn on the surface
        list.Widget()->repaint(); // and copied to the window
    };
    const auto chooseOurs = [&] {
        int key = VK_END;
        list.KeyDown(key, {});
        key = VK_RETURN;
        list.KeyDown(key, {});
    };
    const auto resetOurs = [&] {
        if (!list.Closed()) list.ClosePopup();
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

    bench::Heading("Drop-down list of 10 000 items", "TPopupList", "QComboBox");
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
