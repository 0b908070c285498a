#pragma once
// An editor button that runs something (the ellipsis button), optionally showing a glyph.

#include <memory>

#include "grid/editors/base/SmallButton.h"
#include "grid/host/Bitmap.h"

namespace tolvane {

class TExecuteButton : public TSmallButton {
public:
    static constexpr int DefaultWidth = 21;

    TExecuteButton();

    // A copy of the given glyph is kept; null removes it.
    const TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(const TBitmap* glyph);

    void Paint() override;

private:
    std::unique_ptr<TBitmap> glyph_;
};

} // namespace tolvane
