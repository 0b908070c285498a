#pragma once
// A row-number cell: holds nothing and reports the row it was last fetched at, plus one.

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TIncrementCell : public TCell {
public:
    using TCell::TCell;

    bool AsBoolean() const override { return false; }
    TDateTime AsDateTime() const override { return 0; }
    double AsFloat() const override { return Row() + 1.0; }
    int AsInteger() const override { return Row() + 1; }
    QString Text() const override;
    // The writers are the base ones: nothing is stored, the store is notified.
};

} // namespace tolvane
