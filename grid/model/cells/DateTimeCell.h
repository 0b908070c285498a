#pragma once
// A cell holding a date and time in days since 1899-12-30.

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TDateTimeCell : public TCell {
public:
    using TCell::TCell;

    bool AsBoolean() const override { return false; }
    TDateTime AsDateTime() const override { return value_; }
    double AsFloat() const override { return value_; }
    // The nearest integer, halves to the even one.
    int AsInteger() const override;
    QString Text() const override;

    // Stores today's date, whatever the value.
    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int value) override;
    // An empty or unreadable text stores 0.
    void SetText(const QString& value) override;

private:
    TDateTime value_ = 0;
};

} // namespace tolvane
