#pragma once
// What the numeric editor keeps of typed and pasted text, apart from the edit field: the clean-up
// of a text to the characters of a number with clamping, the paste of a piece over a selection
// and the key filter. Pure text work, so that any text can be fed to it on its own.

#include <QChar>
#include <QString>

namespace tolvane {

// Backspace, "+", "-", the digits and the regional decimal separator.
bool IsNumberCharacter(QChar c);
bool IsNumberSign(QChar c);
// General float format, or plain digits where that has an exponent ("1E20", "1.5E-5"): the
// clean-up drops the "E" and would read 120 or 15.5 from such a text.
QString PlainFloatText(double value);

struct TNumericTextFilter {
    bool AllowFloat = true;
    bool AllowSigns = true;
    double Min = 0; // always applied
    double Max = 0; // applied only when above 0

    // Keeps the digits, signs and separators (not backspace, which only deletes), of the separators only the
    // first and only with AllowFloat, of the signs only one at the start and only with AllowSigns; a lone "-"
    // becomes "0".
    QString Filter(const QString& text) const;
    // Filter, then clamps a result that is not empty to Max (when above 0) and Min, each written
    // as PlainFloatText. Throws EConvertError when the filtered text is not empty and no number
    // (a lone "+" or separator, or beyond the double range).
    QString Clean(const QString& text) const;
    // The text after pasting clip over the selection [start, start + length): the clipboard text
    // cleaned with a separator only when the rest of the text has none and a sign only at the
    // start; the clamping judges the piece by itself. Throws as Clean does.
    QString Paste(const QString& text, int start, int length, const QString& clip) const;
    // Whether a typed key (not a control key) is taken: a number character; a separator only
    // with AllowFloat and while the text has none outside the selection; a sign only with
    // AllowSigns, at the start of a text without one or over a selected one.
    bool TakesKey(QChar key, const QString& text, int selStart, const QString& selText) const;
    // The text showing a value: NullText for 0 when that is not empty; else with AllowFloat and a
    // Precision above 0 the value with Precision decimals, otherwise PlainFloatText; then
    // TextAfter.
    QString ValueText(double value, int precision, const QString& textAfter, const QString& nullText) const;
};

} // namespace tolvane
