#pragma once
// A cell whose text lives elsewhere: two callbacks fetch and store it, with two context values.

#include <functional>

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TVirtualCell : public TCell {
public:
    using TCell::TCell;

    // (cell, A, B, text to fill in)
    std::function<void(TVirtualCell& cell, int a, int b, QString& text)> OnGetText;
    // (cell, A, B, new text)
    std::function<void(TVirtualCell& cell, int a, int b, const QString& text)> OnSetText;
    int A = 0;
    int B = 0;

    bool AsBoolean() const override;
    TDateTime AsDateTime() const override;
    double AsFloat() const override;
    int AsInteger() const override;
    // The get-text result; empty without a callback.
    QString Text() const override;

    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int value) override;
    void SetText(const QString& value) override;

private:
    void Store(const QString& text);
};

} // namespace tolvane
