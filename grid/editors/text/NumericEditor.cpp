#include "grid/editors/text/NumericEditor.h"

#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/host/Clipboard.h"

namespace tolvane {

TNumericEditor::TNumericEditor() {
    UsePasteHook();
    created_ = true;
    TNumericEditor::CreateWindow();
}

void TNumericEditor::SetNullText(const QString& value) {
    nullText_ = value;
    ShowValue(0);
}

void TNumericEditor::SetPrecision(int value) {
    precision_ = value;
    ShowValue(SafeValue());
}

void TNumericEditor::SetTextAfter(const QString& value) {
    textAfter_ = value;
    if (!options_.Contains(eoAllowAll)) ShowValue(SafeValue());
}

QString TNumericEditor::Clean(const QString& text, bool allowFloat, bool allowSigns) const {
    return TextFilter(allowFloat, allowSigns).Clean(text);
}

TNumericTextFilter TNumericEditor::TextFilter(bool allowFloat, bool allowSigns) const {
    return TNumericTextFilter{allowFloat, allowSigns, min_, max_};
}

double TNumericEditor::Value() const {
    const QString text = Text();
    if (text.isEmpty()) return 0;
    QString cleaned = Clean(text, AllowFloat(), AllowSigns());
    if (cleaned.isEmpty()) cleaned = QStringLiteral("0");
    return StrToFloat(cleaned);
}

double TNumericEditor::SafeValue() const {
    try {
        return Value();
    } catch (const EConvertError&) {
        return 0;
    }
}

void TNumericEditor::SetValue(double value) {
    ShowValue(value);
}

void TNumericEditor::ShowValue(double value) {
    SetText(TextFilter(AllowFloat(), AllowSigns()).ValueText(value, precision_, textAfter_, nullText_));
}

double TNumericEditor::AsFloat() const {
    return Value();
}

void TNumericEditor::SetAsFloat(double value) {
    TTextualEditor::SetAsFloat(value);
    SetValue(value);
}

QString TNumericEditor::AsString() const {
    if (options_.Contains(eoAllowAll)) return Text();
    return FloatToStr(SafeValue());
}

void TNumericEditor::CopyFrom(const TCellEditor& source) {
    auto numeric = dynamic_cast<const TNumericEditor*>(&source);
    if (!numeric) throw EGridError(QStringLiteral("Cannot assign this editor to a TNumericEditor"));
    if (numeric == this) return;
    max_ = numeric->max_;
    min_ = numeric->min_;
    nullText_ = numeric->nullText_;
    options_ = numeric->options_;
    precision_ = numeric->precision_;
    SetValue(numeric->SafeValue());
}

void TNumericEditor::KeyPress(QChar& key) {
    const ushort code = key.unicode();
    if (options_.Contains(eoAllowAll) || code == 3 || code == 9 || code == 22 || code == 24) {
        TTextualEditor::KeyPress(key);
        return;
    }
    if (!TextFilter(AllowFloat(), AllowSigns()).TakesKey(key, Text(), SelStart(), SelText())) {
        key = QChar(0);
        return;
    }
    TTextualEditor::KeyPress(key);
}

void TNumericEditor::Paste() {
    const int start = SelStart();
    // A piece that is no number (a lone sign) throws here and leaves the text as it was.
    SetText(TextFilter(AllowFloat(), AllowSigns()).Paste(Text(), start, SelLength(), ClipboardText()));
    SetCaret(start);
}

void TNumericEditor::WMKillFocus() {
    TTextualEditor::WMKillFocus();
    // A lone sign or separator reads as 0 here: leaving the field never raises an error.
    if (!options_.Contains(eoAllowAll)) ShowValue(SafeValue());
}

void TNumericEditor::CreateWindow() {
    TTextualEditor::CreateWindow();
    if (created_) ShowValue(SafeValue());
}

} // namespace tolvane
