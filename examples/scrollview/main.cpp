// A scroll view over a large painted area: a numbered 4000 x 4000 checkerboard. Scroll with the
// bars, the wheel, the arrow keys, or hold the middle button and move the pointer (roll).
#include <QApplication>
#include <QMainWindow>

#include "grid/host/SystemColors.h"
#include "grid/scroll/ScrollView.h"

using namespace tolvane;

namespace {

constexpr int kExtent = 4000;
constexpr int kCell = 100;

class CheckerView : public TScrollView {
public:
    CheckerView() {
        SetColor(clWindow);
        SetTabStop(true);
        HorzScrollBar().LineStep = 20;
        VertScrollBar().LineStep = 20;
        UpdateRanges();
    }

    void Paint() override {
        SetHorzScrollRect(ClientRect());
        SetVertScrollRect(ClientRect());
        TCanvas& c = Canvas();
        const TRect clip = c.GetClipBox();
        const int x0 = HorzScrollBar().Position(), y0 = VertScrollBar().Position();
        for (int row = (clip.Top + y0) / kCell; row * kCell - y0 < clip.Bottom; ++row) {
            for (int col = (clip.Left + x0) / kCell; col * kCell - x0 < clip.Right; ++col) {
                TRect cell =
                    Rect(col * kCell - x0, row * kCell - y0, (col + 1) * kCell - x0, (row + 1) * kCell - y0);
                const bool outside = col * kCell >= kExtent || row * kCell >= kExtent;
                c.Brush.Color =
                    outside ? clBtnFace : ((row + col) % 2 ? RGB(70, 110, 160) : RGB(235, 240, 250));
                c.FillRect(cell);
                if (outside) continue;
                c.Font.Color = (row + col) % 2 ? clWhite : clBlack;
                c.Brush.Style = bsClear;
                c.DrawText(QString::number(row * (kExtent / kCell) + col + 1), cell,
                           DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
                c.Brush.Style = bsSolid;
            }
        }
    }

    int GetHorzScrollDelta(int previous, int current) override { return previous - current; }
    int GetVertScrollDelta(int previous, int current) override { return previous - current; }

    void Resize() override {
        TScrollView::Resize();
        UpdateRanges();
    }

    void KeyDown(int& key, TShiftState shift) override {
        switch (key) {
        case VK_UP:
            VertScrollBar().LineUp();
            break;
        case VK_DOWN:
            VertScrollBar().LineDown();
            break;
        case VK_LEFT:
            HorzScrollBar().LineUp();
            break;
        case VK_RIGHT:
            HorzScrollBar().LineDown();
            break;
        case VK_PRIOR:
            VertScrollBar().PageUp();
            break;
        case VK_NEXT:
            VertScrollBar().PageDown();
            break;
        default:
            TScrollView::KeyDown(key, shift);
            return;
        }
        key = 0;
    }

    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override {
        TScrollView::DoMouseWheel(shift, wheelDelta, mousePos);
        if (wheelDelta < 0)
            VertScrollBar().LineDown();
        else
            VertScrollBar().LineUp();
        return true;
    }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        SetFocus();
        TScrollView::MouseDown(button, shift, x, y);
    }

private:
    void UpdateRanges() {
        const int w = ClientWidth(), h = ClientHeight();
        // Positions are pixels of the top-left corner; the last one shows the far edge.
        HorzScrollBar().SetParams(HorzScrollBar().Position(), 0, true, kExtent > w, 1,
                                  std::max(0, kExtent - w));
        VertScrollBar().SetParams(VertScrollBar().Position(), 0, true, kExtent > h, 1,
                                  std::max(0, kExtent - h));
        HorzScrollBar().PageStep = std::max(1, w - 20);
        VertScrollBar().PageStep = std::max(1, h - 20);
        Invalidate();
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    UseApplicationPalette();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Scroll view"));
    CheckerView view;
    view.SetBorderStyle(bsSingle);
    window.setCentralWidget(view.Widget());
    window.resize(640, 480);
    window.show();
    view.SetFocus();
    return app.exec(); // the view goes first and takes its widget out of the window
}
