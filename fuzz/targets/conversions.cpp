// Text to number, truth value and date, and back. Only EConvertError escapes a parse; a parsed
// value formats back to a text that parses again to the same text; every finite double, every
// 32-bit integer and every representable date formats to a text that parses back.
#include <cfloat>
#include <cmath>
#include <exception>
#include <optional>

#include "FuzzCheck.h"
#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"

using namespace tolvane;
using namespace tolvane::fuzz;

namespace {

// 0001-01-01 up to the end of 9999-12-31.
constexpr double kFirstDay = -693593.0;
constexpr double kEndOfLastDay = 2958466.0;

// Runs a parse: its value, none for EConvertError, and a finding for anything else.
template <typename F>
auto Parse(F parse) -> std::optional<decltype(parse())> {
    try {
        return parse();
    } catch (const EConvertError&) {
        return std::nullopt;
    } catch (const std::exception& e) {
        Unexpected(e.what());
    }
}

template <typename F>
auto MustParse(F parse, const QString& text) -> decltype(parse()) {
    try {
        return parse();
    } catch (const std::exception& e) {
        Fail(__FILE__, __LINE__, "a formatted value parses back", "'" + text + "': " + e.what());
    }
}

void CheckFloatText(const QString& text) {
    const auto value = Parse([&] { return StrToFloat(text); });
    if (!value) return;
    FUZZ_REQUIRE(std::isfinite(*value), "'" + text + "' read as " + FloatToStr(*value));
    const QString again = FloatToStr(*value);
    const double back = MustParse([&] { return StrToFloat(again); }, again);
    FUZZ_REQUIRE(FloatToStr(back) == again,
                 "'" + text + "' -> '" + again + "' -> '" + FloatToStr(back) + "'");
}

void CheckFloatValue(double value) {
    if (!std::isfinite(value)) return;
    const QString text = FloatToStr(value);
    const double back = MustParse([&] { return StrToFloat(text); }, text);
    // 15 significant digits; below the smallest normal double a text may read as zero.
    const double tolerance = std::fabs(value) < DBL_MIN ? DBL_MIN : std::fabs(value) * 1e-14;
    FUZZ_REQUIRE(std::fabs(back - value) <= tolerance,
                 FloatToStr(value) + " read back as " + FloatToStr(back));
}

void CheckIntegerText(const QString& text, int value) {
    if (const auto parsed = Parse([&] { return StrToInt(text); }))
        FUZZ_REQUIRE(StrToInt(IntToStr(*parsed)) == *parsed, "'" + text + "'");
    const QString own = IntToStr(value);
    FUZZ_REQUIRE(MustParse([&] { return StrToInt(own); }, own) == value, own);
}

void CheckBooleanText(const QString& text) {
    if (const auto parsed = Parse([&] { return StrToBool(text); }))
        FUZZ_REQUIRE(StrToBool(BoolToStr(*parsed)) == *parsed, "'" + text + "'");
}

// The text of a moment reads back to the same day, and from then on text and value hold. The
// long time shows whole seconds: a moment within the first second after midnight shows
// "12:00:00 AM" and reads back as midnight, which shows no time.
void CheckShownMoment(double value, const QString& from) {
    const QString shown = MustParse([&] { return DateTimeToStr(value); }, from);
    const double back = MustParse([&] { return StrToDateTime(shown); }, shown);
    const QString again = DateTimeToStr(back);
    FUZZ_REQUIRE(again.section(' ', 0, 0) == shown.section(' ', 0, 0) && StrToDateTime(again) == back,
                 from + " -> '" + shown + "' -> '" + again + "'");
}

// A date text parses to a representable moment, whose text reads back.
void CheckDateText(const QString& text) {
    const auto value = Parse([&] { return StrToDateTime(text); });
    if (!value) return;
    FUZZ_REQUIRE(*value >= kFirstDay && *value < kEndOfLastDay,
                 "'" + text + "' read as day " + FloatToStr(*value) + ", which has no text");
    CheckShownMoment(*value, "'" + text + "'");
}

void CheckDateValue(double value) {
    if (!(value >= kFirstDay && value < kEndOfLastDay)) {
        Parse([&] { return DateTimeToStr(value); }); // refused, never undefined
        return;
    }
    // A value between -1 and 0 names the same moment of day 0 as its magnitude, so values are
    // compared through their texts.
    CheckShownMoment(value, FloatToStr(value));
}

} // namespace

TOLVANE_FUZZ_INITIALIZE_WITH_FIXED_LOCALE()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    const double number = input.Take<double>();
    const int integer = input.Take<int>();
    const QString text = QString::fromUtf8(input.Rest());

    CheckFloatText(text);
    CheckFloatValue(number);
    CheckIntegerText(text, integer);
    CheckBooleanText(text);
    CheckDateText(text);
    CheckDateValue(number);
    return 0;
}
