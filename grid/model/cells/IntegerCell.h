#pragma once
// A cell holding a 32-bit signed integer.

#include <cstdint>

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TIntegerCell : public TCell {
public:
    using TCell::TCell;

    bool AsBoolean() const override { return false; }
    TDateTime AsDateTime() const override { return 0; }
    double AsFloat() const override { return value_; }
    int AsInteger() const override { return value_; }
    QString Text() const override;

    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int value) override;
    // An empty text stores 0.
    void SetText(const QString& value) override;

private:
    std::int32_t value_ = 0;
};

} // namespace tolvane
