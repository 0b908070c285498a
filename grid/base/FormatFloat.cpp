#include "grid/base/FormatFloat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "grid/base/Conversions.h"
#include "grid/base/Locale.h"

namespace tolvane {

namespace {

enum class TTokenKind { Zero, Hash, Point, Literal, Exponent };

struct TMaskToken {
    TTokenKind Kind;
    QString Text;            // Literal: the text; Exponent: the letter as written
    bool AlwaysSign = false; // Exponent: "+" shows the sign of a positive exponent too
    int ExponentDigits = 0;
};

// One section of a mask, scanned.
struct TMaskSection {
    std::vector<TMaskToken> Tokens;
    int IntegerPlaceholders = 0;
    int FractionPlaceholders = 0;
    int FirstIntegerZero = -1; // index among the integer placeholders
    int LastFractionZero = -1; // index among the fraction placeholders
    bool Grouping = false;
    bool Scientific = false;
    bool HasPoint = false;
};

// The value as decimal digits without trailing zeros and an exponent: value = 0.digits * 10^exponent.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
    bool IsZero() const { return Digits.empty(); }
};

std::vector<QString> SplitSections(const QString& mask) {
    std::vector<QString> sections(1);
    QChar quote;
    for (QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            if (sections.size() == 3) break;
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

TMaskSection ScanSection(const QString& text) {
    TMaskSection s;
    auto literal = [&s](const QString& t) {
        if (!s.Tokens.empty() && s.Tokens.back().Kind == TTokenKind::Literal)
            s.Tokens.back().Text += t;
        else
            s.Tokens.push_back({TTokenKind::Literal, t});
    };
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == '0' || c == '#') {
            const bool zero = c == '0';
            if (s.HasPoint) {
                if (zero) s.LastFractionZero = s.FractionPlaceholders;
                ++s.FractionPlaceholders;
            } else {
                if (zero && s.FirstIntegerZero < 0) s.FirstIntegerZero = s.IntegerPlaceholders;
                ++s.IntegerPlaceholders;
            }
            s.Tokens.push_back({zero ? TTokenKind::Zero : TTokenKind::Hash, QString()});
        } else if (c == '.') {
            if (!s.HasPoint) s.Tokens.push_back({TTokenKind::Point, QString()});
            s.HasPoint = true;
        } else if (c == ',') {
            if (!s.HasPoint) s.Grouping = true;
        } else if (c == '\'' || c == '"') {
            const int close = text.indexOf(c, i + 1);
            const int end = close < 0 ? n : close;
            literal(text.mid(i + 1, end - i - 1));
            i = end;
        } else if ((c == 'E' || c == 'e') && i + 1 < n && (text[i + 1] == '+' || text[i + 1] == '-')) {
            TMaskToken t{TTokenKind::Exponent, QString(c)};
            t.AlwaysSign = text[i + 1] == '+';
            i += 2;
            while (i < n && text[i] == '0') {
                ++t.ExponentDigits;
                ++i;
            }
            --i;
            s.Scientific = true;
            s.Tokens.push_back(t);
        } else {
            literal(QString(c));
        }
    }
    return s;
}

// 15 significant digits: as many as a double holds reliably, so 1.005 reads as written.
TDecimal ToDecimal(double magnitude) {
    TDecimal d;
    if (magnitude == 0) return d;
    char buf[40];
    // to_chars ignores the C locale, so the digits never depend on the machine's settings.
    const auto end = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14).ptr;
    const std::string text(buf, end);
    const std::size_t e = text.find('e');
    d.Digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.Exponent = std::atoi(text.c_str() + e + 1) + 1;
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    return d;
}

// Keeps `keep` leading digits, rounding half away from zero (the digits are a magnitude).
void RoundTo(TDecimal& d, int keep) {
    if (keep >= int(d.Digits.size())) return;
    if (keep < 0) {
        d = TDecimal();
        return;
    }
    const bool up = d.Digits[std::size_t(keep)] >= '5';
    d.Digits.resize(std::size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[std::size_t(i)] == '9') d.Digits[std::size_t(i--)] = '0';
        if (i >= 0) {
            ++d.Digits[std::size_t(i)];
        } else {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Exponent;
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    if (d.Digits.empty()) d.Exponent = 0;
}

// Digit `index` of the digit string, zero outside it.
char DigitAt(const TDecimal& d, int index) {
    return index >= 0 && index < int(d.Digits.size()) ? d.Digits[std::size_t(index)] : '0';
}

// Renders the magnitude with one section; answers whether the value rounded to zero.
QString Render(const TMaskSection& s, double magnitude, bool& roundedToZero) {
    const TFormatSettings& locale = TLocale::Current();
    TDecimal d = ToDecimal(magnitude);
    std::string integer, fraction;
    int exponent = 0;
    if (s.Scientific) {
        RoundTo(d, std::max(1, s.IntegerPlaceholders + s.FractionPlaceholders));
        if (!d.IsZero()) exponent = d.Exponent - s.IntegerPlaceholders;
        for (int i = 0; i < s.IntegerPlaceholders; ++i) integer += DigitAt(d, i);
        for (int i = 0; i < s.FractionPlaceholders; ++i) fraction += DigitAt(d, s.IntegerPlaceholders + i);
    } else {
        RoundTo(d, d.Exponent + s.FractionPlaceholders);
        for (int i = 0; i < d.Exponent; ++i) integer += DigitAt(d, i);
        for (int i = 0; i < s.FractionPlaceholders; ++i) fraction += DigitAt(d, d.Exponent + i);
    }
    roundedToZero = d.IsZero();

    const std::size_t firstNonZero = integer.find_first_not_of('0');
    integer.erase(0, firstNonZero == std::string::npos ? integer.size() : firstNonZero);
    const int minInteger = s.FirstIntegerZero < 0 ? 0 : s.IntegerPlaceholders - s.FirstIntegerZero;
    if (int(integer.size()) < minInteger) integer.insert(0, std::size_t(minInteger) - integer.size(), '0');

    int fractionShown = s.LastFractionZero + 1;
    for (int i = int(fraction.size()) - 1; i >= fractionShown; --i)
        if (fraction[std::size_t(i)] != '0') {
            fractionShown = i + 1;
            break;
        }

    QString out;
    // Integer digits go out one per placeholder; the surplus goes out at the first placeholder,
    // or at the decimal point when the integer part has no placeholder.
    std::size_t nextDigit = 0;
    auto putIntegerDigits = [&](std::size_t count) {
        for (std::size_t k = 0; k < count && nextDigit < integer.size(); ++k) {
            out += QChar(integer[nextDigit++]);
            const std::size_t right = integer.size() - nextDigit;
            if (s.Grouping && right > 0 && right % 3 == 0) out += locale.ThousandSeparator;
        }
    };
    const int surplus = int(integer.size()) - s.IntegerPlaceholders;
    int integerSeen = 0, fractionSeen = 0;
    for (const TMaskToken& t : s.Tokens) {
        switch (t.Kind) {
        case TTokenKind::Zero:
        case TTokenKind::Hash:
            if (integerSeen < s.IntegerPlaceholders) {
                const int position = integerSeen++;
                // Placeholders to the left of the digits show nothing.
                if (position == 0 && surplus > 0)
                    putIntegerDigits(std::size_t(surplus) + 1);
                else if (position >= -surplus)
                    putIntegerDigits(1);
            } else {
                if (fractionSeen < fractionShown) out += QChar(fraction[std::size_t(fractionSeen)]);
                ++fractionSeen;
            }
            break;
        case TTokenKind::Point:
            if (s.IntegerPlaceholders == 0) putIntegerDigits(integer.size());
            if (fractionShown > 0) out += locale.DecimalSeparator;
            break;
        case TTokenKind::Literal:
            out += t.Text;
            break;
        case TTokenKind::Exponent: {
            out += t.Text;
            if (exponent < 0)
                out += '-';
            else if (t.AlwaysSign)
                out += '+';
            QString digits = QString::number(std::abs(exponent));
            if (digits.size() < t.ExponentDigits)
                digits = QString(t.ExponentDigits - digits.size(), '0') + digits;
            out += digits;
            break;
        }
        }
    }
    return out;
}

} // namespace

QString FormatFloat(const QString& mask, double value) {
    if (mask.isEmpty() || !std::isfinite(value)) return FloatToStr(value);
    const std::vector<QString> sections = SplitSections(mask);
    auto given = [&sections](std::size_t i) { return i < sections.size() && !sections[i].isEmpty(); };

    const std::size_t wanted = value == 0 ? 2 : value < 0 ? 1 : 0;
    const bool ownSection = given(wanted);
    const QString& section = ownSection ? sections[wanted] : sections[0];
    if (section.isEmpty()) return FloatToStr(value);

    bool zero = false;
    QString text = Render(ScanSection(section), std::fabs(value), zero);
    if (zero && value != 0) {
        // Rounded away entirely: shown as zero, never as "-0".
        bool ignored = false;
        return Render(ScanSection(given(2) ? sections[2] : sections[0]), 0, ignored);
    }
    if (value < 0 && !ownSection) text.prepend('-');
    return text;
}

} // namespace tolvane
