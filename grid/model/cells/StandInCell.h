#pragma once
// What a slot holds when its cell is too large for it (the column's kind changed to a larger
// class after the column was laid out): the cell lives in the pool, and this stand-in, which
// fits any slot, points to it. The store hands out the cell itself, never the stand-in.

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TStandInCell : public TCell {
public:
    explicit TStandInCell(TCell* cell) : cell_(cell) {}
    TCell* Cell() const { return cell_; }

    bool AsBoolean() const override { return cell_->AsBoolean(); }
    TDateTime AsDateTime() const override { return cell_->AsDateTime(); }
    double AsFloat() const override { return cell_->AsFloat(); }
    int AsInteger() const override { return cell_->AsInteger(); }
    QString Text() const override { return cell_->Text(); }

private:
    TCell* cell_;
};

} // namespace tolvane
