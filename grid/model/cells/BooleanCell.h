#pragma once
// A cell holding a truth value.

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TBooleanCell : public TCell {
public:
    using TCell::TCell;

    bool AsBoolean() const override { return value_; }
    TDateTime AsDateTime() const override { return 0; }
    double AsFloat() const override { return 0; }
    int AsInteger() const override { return 0; }
    QString Text() const override;

    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int value) override;
    // True exactly for "true" in any letter case; anything else, "1" included, is false.
    void SetText(const QString& value) override;

private:
    bool value_ = false;
};

} // namespace tolvane
