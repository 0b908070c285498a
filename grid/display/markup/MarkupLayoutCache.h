#pragma once
// The layouts of the markup texts a column painted lately, by text, so that a repaint of the
// same cells (or of cells scrolled back into view) draws runs without reading the tags again.
// Two generations: when the newer holds Capacity texts it becomes the older and the older goes,
// so memory stays bounded and texts in use move forward when found in the older one.

#include <QHash>
#include <QString>

#include "grid/display/markup/MarkupLayout.h"

namespace tolvane {

class TMarkupLayoutCache {
public:
    static constexpr int Capacity = 512;

    // The layout kept for the text, or null; it stays valid until the next Store.
    const TMarkupLayout* Find(const QString& text);
    const TMarkupLayout& Store(TMarkupLayout layout);
    void Clear();

private:
    QHash<QString, TMarkupLayout> newer_, older_;
};

} // namespace tolvane
