#pragma once
// A column of dates; new rows get the date the column was created on.

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class TDateColumn : public TCustomColumn {
public:
    TDateColumn();
    static TColumnClasses Classes();

    bool HideWhenEmpty() const { return hideWhenEmpty_; }
    void SetHideWhenEmpty(bool value);
    const QString& EmptyCaption() const { return emptyCaption_; }
    void SetEmptyCaption(const QString& value) { emptyCaption_ = value; }

    // Digits and the regional date separator.
    bool AcceptsKey(QChar key) const override;

protected:
    explicit TDateColumn(const TColumnClasses& classes);

private:
    bool hideWhenEmpty_ = false;
    QString emptyCaption_;
};

} // namespace tolvane
