#pragma once
// A column of class C in a grid stand-in, and a display of class D for it that records the texts
// it draws, painting on the fixture's bitmap.

#include <vector>

#include <QString>

#include "display/DisplayFixture.h"

namespace tolvane::testing {

template <class D>
class TRecordingDisplay : public D {
public:
    using D::D;
    void DrawText(const QString& text, const TRect& rect) override {
        Texts.push_back(text);
        Rects.push_back(rect);
        D::DrawText(text, rect);
    }
    std::vector<QString> Texts;
    std::vector<TRect> Rects;
};

template <class C, class D>
class ColumnDisplayFixture : public DisplayFixture {
protected:
    ColumnDisplayFixture() : Column(Columns.Add<C>()), Display(Column) {
        Display.Canvas = &Canvas();
        Display.CellRect = {0, 0, 80, 20};
    }
    C& Column;
    TRecordingDisplay<D> Display;
};

} // namespace tolvane::testing
