#pragma once
// The common base of column displays and plays: the value of the cell being painted or handled
// and where it lies. The grid fills these fields before each call.

#include <cstdint>

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TBitmap;
class TCanvas;
class TCustomColumn;

class TVirtualColElement {
public:
    // Called while the column itself is being constructed: a constructor may keep the reference
    // but must not read the column's settings yet.
    explicit TVirtualColElement(TCustomColumn& column) : Column(column) {}
    virtual ~TVirtualColElement() = default;
    TVirtualColElement(const TVirtualColElement&) = delete;
    TVirtualColElement& operator=(const TVirtualColElement&) = delete;

    bool BooleanValue = false;
    double DateValue = 0; // NaN: the cell holds no date
    double FloatValue = 0;
    std::int32_t IntegerValue = 0;
    QString TextValue;
    int RightToLeft = 0; // the grid's bidirectional mode; non-zero reads right to left
    TCanvas* Canvas = nullptr;
    TRect CellRect;
    TCustomColumn& Column;
    const TBitmap* PictureValue = nullptr; // a reference; the cell keeps the picture
};

} // namespace tolvane
