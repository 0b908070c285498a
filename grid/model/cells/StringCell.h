#pragma once
// A cell holding wide text; reads parse it, writes store the value's text.

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TStringCell : public TCell {
public:
    using TCell::TCell;

    bool AsBoolean() const override;
    TDateTime AsDateTime() const override;
    double AsFloat() const override;
    int AsInteger() const override;
    QString Text() const override { return value_; }
    const QString* TextHeld() const override { return &value_; }
    // The text without a copy.
    const QString& Value() const { return value_; }

    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int value) override;
    void SetText(const QString& value) override;

private:
    QString value_;
};

} // namespace tolvane
