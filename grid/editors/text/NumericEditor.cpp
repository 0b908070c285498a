#include "grid/editors/text/NumericEditor.h"

#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/base/Locale.h"
#include "grid/host/Clipboard.h"

namespace tolvane {

namespace {

QChar DecimalSeparator() {
    return TLocale::Current().DecimalSeparator;
}

bool IsSign(QChar c) {
    return c == QLatin1Char('+') || c == QLatin1Char('-');
}

// Backspace, signs, digits and the decimal separator.
bool IsNumberCharacter(QChar c) {
    return c == QChar(VK_BACK) || IsSign(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           c == DecimalSeparator();
}

bool HasSign(const QString& text) {
    return text.contains(QLatin1Char('+')) || text.contains(QLatin1Char('-'));
}

} // namespace

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
    QString s;
    bool separatorMet = false;
    for (QChar c : text) {
        if (!IsNumberCharacter(c)) continue;
        if (c == DecimalSeparator()) {
            if (!allowFloat || separatorMet) continue;
            separatorMet = true;
        } else if (IsSign(c)) {
            if (!allowSigns || !s.isEmpty()) continue;
        }
        s += c;
    }
    if (s == QLatin1String("-")) s = QStringLiteral("0");
    if (s.isEmpty()) return s;
    const double number = StrToFloat(s);
    if (max_ > 0 && number > max_) s = FloatToStr(max_);
    if (number < min_) s = FloatToStr(min_);
    return s;
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
    if (value == 0 && !nullText_.isEmpty()) {
        SetText(nullText_);
        return;
    }
    if (precision_ > 0 && AllowFloat()) {
        QString fixed = QString::number(value, 'f', precision_);
        fixed.replace(QLatin1Char('.'), DecimalSeparator());
        SetText(fixed + textAfter_);
    } else {
        SetText(FloatToStr(value) + textAfter_);
    }
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
    if (!IsNumberCharacter(key)) {
        key = QChar(0);
        return;
    }
    if (key == DecimalSeparator()) {
        // Typing over a selected separator is allowed.
        if (!AllowFloat() ||
            (Text().contains(DecimalSeparator()) && !SelText().contains(DecimalSeparator()))) {
            key = QChar(0);
            return;
        }
    } else if (IsSign(key)) {
        const bool accepted = AllowSigns() && ((SelStart() == 0 && !HasSign(Text())) || HasSign(SelText()));
        if (!accepted) {
            key = QChar(0);
            return;
        }
    }
    TTextualEditor::KeyPress(key);
}

void TNumericEditor::Paste() {
    const int start = SelStart();
    const QString clip = ClipboardText();
    QString rest = Text();
    rest.remove(start, SelLength());
    const bool allowFloat = AllowFloat() && !rest.contains(DecimalSeparator());
    const bool allowSigns = AllowSigns() && start == 0;
    // A piece that is no number (a lone sign) throws here and leaves the text as it was.
    const QString piece = Clean(clip, allowFloat, allowSigns);
    rest.insert(start, piece);
    SetText(rest);
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
