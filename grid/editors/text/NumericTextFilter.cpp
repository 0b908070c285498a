#include "grid/editors/text/NumericTextFilter.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "grid/base/Conversions.h"
#include "grid/base/Locale.h"
#include "grid/base/Types.h"

namespace tolvane {

namespace {

QChar DecimalSeparator() {
    return TLocale::Current().DecimalSeparator;
}

bool HasSign(const QString& text) {
    return text.contains(QLatin1Char('+')) || text.contains(QLatin1Char('-'));
}

} // namespace

bool IsNumberSign(QChar c) {
    return c == QLatin1Char('+') || c == QLatin1Char('-');
}

bool IsNumberCharacter(QChar c) {
    return c == QChar(VK_BACK) || IsNumberSign(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           c == DecimalSeparator();
}

QString PlainFloatText(double value) {
    const QString general = FloatToStr(value);
    if (!general.contains(QLatin1Char('E')) || !std::isfinite(value)) return general;
    // The shortest digits that read back as the value; the largest double needs 309 of them.
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc()) return general;
    QString digits = QString::fromLatin1(buffer, int(end - buffer));
    digits.replace(QLatin1Char('.'), DecimalSeparator());
    return digits;
}

QString TNumericTextFilter::Filter(const QString& text) const {
    QString s;
    bool separatorMet = false;
    for (QChar c : text) {
        if (!IsNumberCharacter(c) || c == QChar(VK_BACK)) continue;
        if (c == DecimalSeparator()) {
            if (!AllowFloat || separatorMet) continue;
            separatorMet = true;
        } else if (IsNumberSign(c)) {
            if (!AllowSigns || !s.isEmpty()) continue;
        }
        s += c;
    }
    if (s == QLatin1String("-")) s = QStringLiteral("0");
    return s;
}

QString TNumericTextFilter::Clean(const QString& text) const {
    QString s = Filter(text);
    if (s.isEmpty()) return s;
    const double number = StrToFloat(s);
    if (Max > 0 && number > Max) s = PlainFloatText(Max);
    if (number < Min) s = PlainFloatText(Min);
    return s;
}

QString TNumericTextFilter::Paste(const QString& text, int start, int length, const QString& clip) const {
    start = std::clamp(start, 0, int(text.size()));
    length = std::clamp(length, 0, int(text.size()) - start);
    QString rest = text;
    rest.remove(start, length);
    TNumericTextFilter piece = *this;
    piece.AllowFloat = AllowFloat && !rest.contains(DecimalSeparator());
    piece.AllowSigns = AllowSigns && start == 0;
    rest.insert(start, piece.Clean(clip));
    return rest;
}

bool TNumericTextFilter::TakesKey(QChar key, const QString& text, int selStart,
                                  const QString& selText) const {
    if (!IsNumberCharacter(key)) return false;
    // Typing over a selected separator or sign is allowed.
    if (key == DecimalSeparator())
        return AllowFloat && (!text.contains(DecimalSeparator()) || selText.contains(DecimalSeparator()));
    if (IsNumberSign(key)) return AllowSigns && ((selStart == 0 && !HasSign(text)) || HasSign(selText));
    return true;
}

QString TNumericTextFilter::ValueText(double value, int precision, const QString& textAfter,
                                      const QString& nullText) const {
    if (value == 0 && !nullText.isEmpty()) return nullText;
    if (precision > 0 && AllowFloat) {
        QString fixed = QString::number(value, 'f', precision);
        fixed.replace(QLatin1Char('.'), DecimalSeparator());
        return fixed + textAfter;
    }
    return PlainFloatText(value) + textAfter;
}

} // namespace tolvane
