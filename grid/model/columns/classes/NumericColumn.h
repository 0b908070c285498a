#pragma once
// A column of floating-point numbers, optionally formatted by a mask.

#include <string>

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class TNumericColumn : public TCustomColumn {
public:
    TNumericColumn();
    static TColumnClasses Classes();

    // Narrow (UTF-8) text in the float mask language.
    const std::string& FormatMask() const { return formatMask_; }
    void SetFormatMask(const std::string& value) { formatMask_ = value; }
    int Min() const { return min_; }
    void SetMin(int value) { min_ = value; }
    int Max() const { return max_; }
    void SetMax(int value) { max_ = value; }
    double Increment() const { return increment_; }
    void SetIncrement(double value) { increment_ = value; }
    const QString& TextBefore() const { return textBefore_; }
    void SetTextBefore(const QString& value);
    const QString& TextAfter() const { return textAfter_; }
    void SetTextAfter(const QString& value);

    // The value formatted by FormatMask (when set), then TextAfter; TextBefore is the display's.
    // A value that is not a number with a mask set throws EConvertError.
    QString FormatText(const QString& value) const override;
    // Signs, digits and the regional decimal separator.
    bool AcceptsKey(QChar key) const override;
    void CopyFrom(const TCustomColumn& source) override;

protected:
    explicit TNumericColumn(const TColumnClasses& classes);

private:
    std::string formatMask_;
    int min_ = 0;
    int max_ = 0;
    double increment_ = 1.0;
    QString textBefore_;
    QString textAfter_;
};

} // namespace tolvane
