#pragma once
// A cell holding a date and time in days since 1899-12-30, or no date at all (an emptied cell).

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TDateTimeCell : public TCell {
public:
    using TCell::TCell;

    bool IsEmpty() const override { return value_ != value_; }
    bool AsBoolean() const override { return false; }
    TDateTime AsDateTime() const override { return IsEmpty() ? 0 : value_; }
    double AsFloat() const override { return AsDateTime(); }
    // The nearest integer, halves to the even one.
    int AsInteger() const override;
    // Empty for an empty cell.
    QString Text() const override;

    // Stores today's date, whatever the value.
    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int value) override;
    // An empty text empties the cell; a text that is not a date is refused (EConvertError) and
    // the cell keeps its value. Day 0 is a date like any other when written as a number.
    void SetText(const QString& value) override;

private:
    // NaN marks the empty cell: the cell stays one number wide.
    TDateTime value_ = 0;
};

} // namespace tolvane
