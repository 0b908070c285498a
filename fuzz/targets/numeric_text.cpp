// The numeric editor's text work: the clean-up, the paste filter, the key filter and the shown
// value. Only EConvertError escapes, and only for a filtered text that is no number; the filter
// keeps only what a number can hold, is idempotent, and so is the clean-up within sound bounds;
// a cleaned text converts and its value is the clamped one; a paste leaves the text around the
// piece as it was; typed keys never make a second separator or sign; a shown value reads back.
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>

#include "FuzzCheck.h"
#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/base/Locale.h"
#include "grid/editors/text/NumericTextFilter.h"

using namespace tolvane;
using namespace tolvane::fuzz;

namespace {

QChar Separator() {
    return TLocale::Current().DecimalSeparator;
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString Shown(const QString& text) {
    QString shown;
    for (QChar c : text)
        shown +=
            c.unicode() < 32 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : QString(c);
    return "'" + shown + "'";
}

template <typename F>
auto Attempt(F run) -> std::optional<decltype(run())> {
    try {
        return run();
    } catch (const EConvertError&) {
        return std::nullopt;
    } catch (const std::exception& e) {
        Unexpected(e.what());
    }
}

double MustRead(const QString& text, const QString& from) {
    try {
        return StrToFloat(text);
    } catch (const std::exception& e) {
        Fail(__FILE__, __LINE__, "a cleaned text converts", from + " -> " + Shown(text) + ": " + e.what());
    }
}

// Sound bounds: finite, ordered, and each one a text the filter keeps whole.
bool SoundBounds(const TNumericTextFilter& f) {
    const auto admissible = [&](double bound) {
        return std::isfinite(bound) && (f.AllowSigns || bound >= 0) &&
               (f.AllowFloat || bound == std::floor(bound));
    };
    return admissible(f.Min) && admissible(f.Max) && (f.Max <= 0 || f.Min <= f.Max);
}

// What the filter keeps: digits, of the separators at most one and only with AllowFloat, of the
// signs one at the start and only with AllowSigns.
void CheckFiltered(const TNumericTextFilter& f, const QString& text, const QString& kept) {
    const QString what = Shown(text) + " -> " + Shown(kept);
    FUZZ_REQUIRE(kept != QLatin1String("-"), what);
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const QChar c = kept[i];
        FUZZ_REQUIRE(IsDigit(c) || c == Separator() || (IsNumberSign(c) && i == 0 && f.AllowSigns), what);
    }
    FUZZ_REQUIRE(kept.count(Separator()) <= (f.AllowFloat ? 1 : 0), what);
    FUZZ_REQUIRE(f.Filter(kept) == kept, what);
    // Nothing comes from elsewhere: the kept characters are those of the text, in order.
    qsizetype at = 0;
    for (QChar c : kept == QLatin1String("0") ? QString() : kept) {
        at = text.indexOf(c, at);
        FUZZ_REQUIRE(at >= 0, what);
        ++at;
    }
}

// The significant digits before the separator.
qsizetype IntegerDigits(const QString& kept) {
    qsizetype n = 0;
    for (QChar c : kept) {
        if (c == Separator()) break;
        if (IsDigit(c) && (n > 0 || c != QLatin1Char('0'))) ++n;
    }
    return n;
}

void CheckClean(const TNumericTextFilter& f, const QString& text) {
    const QString kept = f.Filter(text);
    CheckFiltered(f, text, kept);
    const auto cleaned = Attempt([&] { return f.Clean(text); });
    const bool hasDigit = std::any_of(kept.begin(), kept.end(), IsDigit);
    if (!cleaned) {
        // Only a text that is no number fails: no digit at all, or beyond the double range.
        FUZZ_REQUIRE(!kept.isEmpty() && (!hasDigit || IntegerDigits(kept) >= 309),
                     Shown(text) + " -> " + Shown(kept));
        return;
    }
    FUZZ_REQUIRE(kept.isEmpty() || hasDigit, Shown(text) + " -> " + Shown(kept) + " read without a digit");
    if (kept.isEmpty()) {
        FUZZ_REQUIRE(cleaned->isEmpty(), Shown(text) + " -> " + Shown(*cleaned));
        return;
    }
    const double value = MustRead(*cleaned, Shown(text));
    const double number = StrToFloat(kept);
    double expected = number;
    if (f.Max > 0 && number > f.Max) expected = f.Max;
    if (number < f.Min) expected = f.Min;
    if (std::isfinite(expected))
        FUZZ_REQUIRE(std::fabs(value - expected) <= std::fabs(expected) * 1e-14,
                     Shown(text) + " -> " + Shown(*cleaned) + ", expected " + FloatToStr(expected));
    if (SoundBounds(f)) {
        const auto again = Attempt([&] { return f.Clean(*cleaned); });
        FUZZ_REQUIRE(again && *again == *cleaned, Shown(text) + " -> " + Shown(*cleaned) + " -> " +
                                                      (again ? Shown(*again) : "EConvertError"));
    }
}

// The paste changes nothing outside the piece; the piece has a sign only at the start and a
// separator only when the rest of the text has none.
void CheckPaste(const TNumericTextFilter& f, const QString& text, int start, int length,
                const QString& clip) {
    const auto pasted = Attempt([&] { return f.Paste(text, start, length, clip); });
    if (!pasted) return;
    const QString rest = QString(text).remove(start, length);
    const QString what =
        Shown(text) + " + " + Shown(clip) + " at " + QString::number(start) + " -> " + Shown(*pasted);
    FUZZ_REQUIRE(pasted->startsWith(rest.left(start)) && pasted->endsWith(rest.mid(start)) &&
                     pasted->size() >= rest.size(),
                 what);
    const QString piece = pasted->mid(start, pasted->size() - rest.size());
    FUZZ_REQUIRE(start == 0 || !std::any_of(piece.begin(), piece.end(), IsNumberSign), what);
    if (SoundBounds(f) && (f.Min == std::floor(f.Min) && f.Max == std::floor(f.Max)))
        FUZZ_REQUIRE(piece.count(Separator()) <= (f.AllowFloat && !rest.contains(Separator()) ? 1 : 0), what);
}

// Types each key of keys at a place and over a selection chosen by the bytes of steps, as the
// edit field does with a key the filter takes.
void CheckTyping(const TNumericTextFilter& f, const QString& keys, const std::string& steps) {
    QString text;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const unsigned step = i < qsizetype(steps.size()) ? std::uint8_t(steps[std::size_t(i)]) : 0;
        const int start = int(step % (text.size() + 1));
        const int length = int((step / 16) % (text.size() - start + 1));
        const QChar key = keys[i];
        if (!f.TakesKey(key, text, start, text.mid(start, length))) continue;
        if (key == QChar(VK_BACK))
            text.remove(length > 0 ? start : std::max(0, start - 1),
                        length > 0 ? length : (start > 0 ? 1 : 0));
        else
            text.replace(start, length, key);
        const QString what = "typed " + Shown(keys.left(i + 1)) + " -> " + Shown(text);
        for (QChar c : text) FUZZ_REQUIRE(IsDigit(c) || c == Separator() || IsNumberSign(c), what);
        FUZZ_REQUIRE(text.count(Separator()) <= (f.AllowFloat ? 1 : 0), what);
        FUZZ_REQUIRE(text.count(QLatin1Char('+')) + text.count(QLatin1Char('-')) <= (f.AllowSigns ? 1 : 0),
                     what);
    }
}

// A shown value reads back, as long as TextAfter and NullText hold no number characters.
void CheckShownValue(const TNumericTextFilter& f, double value, int precision, const QString& after,
                     const QString& null) {
    const auto hasNumberCharacter = [](const QString& s) {
        return std::any_of(s.begin(), s.end(), IsNumberCharacter);
    };
    if (!std::isfinite(value) || std::fabs(value) > 1e300 || hasNumberCharacter(after) ||
        hasNumberCharacter(null))
        return;
    if (!f.AllowSigns && value < 0) return;
    const bool decimals = f.AllowFloat && precision > 0;
    if (!decimals && !f.AllowFloat && value != std::floor(value)) return;
    TNumericTextFilter reader = f;
    reader.Min = -std::numeric_limits<double>::infinity();
    reader.Max = 0;
    const QString shown = f.ValueText(value, precision, after, null);
    QString cleaned = reader.Clean(shown);
    const double back = cleaned.isEmpty() ? 0 : MustRead(cleaned, Shown(shown));
    const double expected = value == 0 && !null.isEmpty() ? 0 : value;
    const double tolerance =
        (decimals ? 0.5 * std::pow(10.0, -precision) * (1 + 1e-9) : 0) + std::fabs(value) * 1e-14;
    FUZZ_REQUIRE(std::fabs(back - expected) <= tolerance,
                 FloatToStr(value) + " shown as " + Shown(shown) + " reads back as " + FloatToStr(back));
}

} // namespace

TOLVANE_FUZZ_INITIALIZE_WITH_FIXED_LOCALE()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    const auto flags = input.Take<std::uint8_t>();
    const auto smallMin = input.Take<std::int8_t>();
    const auto smallMax = input.Take<std::int8_t>();
    const double rawMin = input.Take<double>();
    const double rawMax = input.Take<double>();
    const double value = input.Take<double>();
    const auto start = input.Take<std::uint16_t>();
    const auto length = input.Take<std::uint16_t>();
    const std::string rest = input.Rest();
    // Text, clipboard, TextAfter and NullText, separated by zero bytes.
    QString parts[4];
    std::size_t at = 0;
    for (int k = 0; k < 4 && at <= rest.size(); ++k) {
        const std::size_t end = k == 3 ? rest.size() : std::min(rest.find('\0', at), rest.size());
        parts[k] = QString::fromUtf8(rest.data() + at, qsizetype(end - at));
        at = end + 1;
    }
    const QString& text = parts[0];
    const QString& clip = parts[1];

    TNumericTextFilter filter;
    filter.AllowFloat = flags & 1;
    filter.AllowSigns = flags & 2;
    // Mostly small bounds, which a text reaches; sometimes any double, quarters now and then.
    filter.Min = flags & 4 ? rawMin : smallMin / (flags & 16 ? 4.0 : 1.0);
    filter.Max = flags & 8 ? rawMax : smallMax / (flags & 32 ? 4.0 : 1.0);

    CheckClean(filter, text);
    CheckClean(filter, clip);
    const int place = int(start % (text.size() + 1));
    CheckPaste(filter, text, place, int(length % (text.size() - place + 1)), clip);
    CheckTyping(filter, clip, rest);
    CheckShownValue(filter, value, int(flags >> 6) * 2 + int(start % 5), parts[2], parts[3]);
    return 0;
}
