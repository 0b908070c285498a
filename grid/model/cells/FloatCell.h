#pragma once
// A cell holding a double.

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TFloatCell : public TCell {
public:
    using TCell::TCell;

    bool AsBoolean() const override { return false; }
    TDateTime AsDateTime() const override { return value_; }
    double AsFloat() const override { return value_; }
    // The nearest integer, halves to the even one.
    int AsInteger() const override;
    QString Text() const override;

    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int value) override;
    // An empty text is a conversion error.
    void SetText(const QString& value) override;

private:
    double value_ = 0;
};

} // namespace tolvane
