#pragma once
// A grid stand-in for the column model tests: fixed geometry, and a record of every invalidation
// and notification the columns send.

#include <memory>
#include <utility>
#include <vector>

#include "grid/display/base/ColumnDisplay.h"
#include "grid/model/columns/Columns.h"
#include "grid/model/columns/ColumnsOwner.h"

namespace tolvane::testing {

class FakeColumnsOwner : public TColumnsOwner {
public:
    int dataLeft = 0;
    int availableWidth = 500;
    int horzPosition = 0;
    TRect header{0, 0, 300, 18};
    TRect input{0, 18, 300, 40};
    TRect footer{0, 180, 300, 200};
    int current = -1;
    int pressed = -1;
    int hot = -1;
    bool reading = false;
    TFont font;
    int rightToLeft = 0;

    std::vector<std::pair<int, TGridArea>> invalidated;

    int ColumnsDataLeft() const override { return dataLeft; }
    int ColumnsAvailableWidth() const override { return availableWidth; }
    int ColumnsHorzPosition() const override { return horzPosition; }
    TRect HeaderBand() const override { return header; }
    TRect InputBand() const override { return input; }
    TRect FooterBand() const override { return footer; }
    int CurrentColumnIndex() const override { return current; }
    int PressedHeaderColumnIndex() const override { return pressed; }
    int HotHeaderColumnIndex() const override { return hot; }
    void InvalidateColumnPart(int column, TGridArea area) override { invalidated.emplace_back(column, area); }
    bool IsReadingLayout() const override { return reading; }
    const TFont& GridFont() const override { return font; }
    int GridRightToLeft() const override { return rightToLeft; }
};

// A collection wired to a fake grid that records what it is told.
struct RecordingColumns {
    FakeColumnsOwner grid;
    TColumns columns{&grid};
    std::vector<std::pair<int, TColumnChangeKind>> changes; // (column index, kind)
    std::vector<TColumnsNotification> notifications;
    std::vector<TColumnsNotification> collectionChanges;

    RecordingColumns() {
        columns.OnColumnChanged = [this](TCustomColumn& c, TColumnChangeKind k) {
            changes.emplace_back(c.GetIndex(), k);
        };
        columns.OnColumnsNotify = [this](TColumnsNotification k, int, int) { notifications.push_back(k); };
        columns.OnColumnsChanged = [this](TColumnsNotification k) { collectionChanges.push_back(k); };
    }
    void Forget() {
        changes.clear();
        notifications.clear();
        collectionChanges.clear();
        grid.invalidated.clear();
    }
    std::vector<TColumnChangeKind> KindsOf(int index) const {
        std::vector<TColumnChangeKind> kinds;
        for (auto& [i, k] : changes)
            if (i == index) kinds.push_back(k);
        return kinds;
    }
};

// A display that paints nothing, for a column class of the tests' own.
class NullDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    int paints = 0;
    void Paint() override { ++paints; }
};

// The plainest concrete column: the base settings and a display that paints nothing.
class PlainColumn : public TCustomColumn {
public:
    PlainColumn() : TCustomColumn({nullptr, &CreateColumnDisplay<NullDisplay>, nullptr}) {}
    explicit PlainColumn(int width) : PlainColumn() { SetWidth(width); }
};

// A column class that names no display.
class DisplaylessColumn : public TCustomColumn {
public:
    DisplaylessColumn() : TCustomColumn({}) {}
};

} // namespace tolvane::testing
