#pragma once
// A column showing one icon of an image list per cell, chosen by the cell's integer.

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class TImageList;

class TImageColumn : public TCustomColumn {
public:
    TImageColumn();
    static TColumnClasses Classes();

    // Not owned; the column keeps the reference only.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value) { images_ = value; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }

    void CopyFrom(const TCustomColumn& source) override;

protected:
    explicit TImageColumn(const TColumnClasses& classes);

private:
    TImageList* images_ = nullptr;
    bool transparent_ = true;
};

} // namespace tolvane
