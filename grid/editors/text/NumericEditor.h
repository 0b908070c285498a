#pragma once
// The number editor: a text editor that filters typed keys and pasted text, clamps to Min and Max
// and shows its value with Precision decimals, NullText for zero and TextAfter as a suffix.

#include "grid/base/Types.h"
#include "grid/editors/text/NumericTextFilter.h"
#include "grid/editors/text/TextualEditor.h"

namespace tolvane {

enum TEditOption { eoAllowAll, eoAllowFloat, eoAllowSigns };
using TEditOptions = TSet<TEditOption>;

class TNumericEditor : public TTextualEditor {
public:
    TNumericEditor();

    // Applied only when greater than 0.
    double Max() const { return max_; }
    void SetMax(double value) { max_ = value; }
    // Always applied.
    double Min() const { return min_; }
    void SetMin(double value) { min_ = value; }
    const QString& NullText() const { return nullText_; }
    // Shows the value 0.
    void SetNullText(const QString& value);
    TEditOptions Options() const { return options_; }
    void SetOptions(TEditOptions value) { options_ = value; }
    int Precision() const { return precision_; }
    // Shows the current value again.
    void SetPrecision(int value);
    const QString& TextAfter() const { return textAfter_; }
    // Shows the current value again unless eoAllowAll.
    void SetTextAfter(const QString& value);

    // The text read through Clean; 0 for an empty text. A text that is no number once cleaned
    // (a lone "+" or decimal separator) throws EConvertError.
    double Value() const;
    void SetValue(double value);
    // Like Value, but such a text reads as 0: focus loss and committing never fail on it.
    double SafeValue() const;

    // Drops characters that cannot be part of a number, then clamps to Min and Max (Max only when
    // above 0; see TNumericTextFilter). Throws EConvertError when the result is not empty and no
    // number.
    QString Clean(const QString& text, bool allowFloat, bool allowSigns) const;

    double AsFloat() const override;
    void SetAsFloat(double value) override;
    // The number the text reads as, in general float format (0 for a lone sign or separator),
    // so that a committed text always converts; the text as it stands with eoAllowAll.
    QString AsString() const override;
    // From another numeric editor: Max, Min, NullText, Options, Precision and Value (not
    // TextAfter). EGridError for any other source.
    void CopyFrom(const TCellEditor& source);

    void KeyPress(QChar& key) override;
    void WMKillFocus() override;

protected:
    void Paste() override;
    void CreateWindow() override;
    // Shows the value: NullText for 0, else the number and TextAfter.
    void ShowValue(double value);

private:
    TNumericTextFilter TextFilter(bool allowFloat, bool allowSigns) const;
    bool AllowFloat() const { return options_.Contains(eoAllowFloat); }
    bool AllowSigns() const { return options_.Contains(eoAllowSigns); }

    double max_ = 0;
    double min_ = 0;
    QString nullText_;
    TEditOptions options_{eoAllowFloat, eoAllowSigns};
    int precision_ = 2;
    QString textAfter_;
    bool created_ = false;
};

} // namespace tolvane
