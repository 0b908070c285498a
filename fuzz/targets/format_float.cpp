// The float format-mask formatter over any mask and any value. It never throws; its text stays
// within a bound set by the mask; a one-section mask shows a negative value as "-" and the text
// of its magnitude (or as the zero text, when it rounds away); a plain "0.000" mask reads back
// as the value rounded to its decimals.
#include <cmath>
#include <exception>

#include "FuzzCheck.h"
#include "grid/base/Conversions.h"
#include "grid/base/FormatFloat.h"

using namespace tolvane;
using namespace tolvane::fuzz;

namespace {

QString Format(const QString& mask, double value) {
    try {
        return FormatFloat(mask, value);
    } catch (const std::exception& e) {
        Unexpected(e.what());
    }
}

void CheckBound(const QString& mask, double value, const QString& text) {
    // At most 309 integer digits with their group separators, the exponent's digits, the sign.
    FUZZ_REQUIRE(text.size() <= 2 * mask.size() + 450, "mask '" + mask + "' value " + FloatToStr(value));
}

void CheckSign(const QString& mask, double value) {
    if (mask.contains(';') || !std::isfinite(value) || value == 0) return;
    const double magnitude = std::fabs(value);
    const QString positive = Format(mask, magnitude);
    const QString negative = Format(mask, -magnitude);
    const bool signed_ = negative == '-' + positive;
    const bool roundedAway = negative == positive && positive == Format(mask, 0.0);
    FUZZ_REQUIRE(signed_ || roundedAway, "mask '" + mask + "': '" + positive + "' and '" + negative + "'");
}

// "0.<decimals zeros>", grouped or not: the text reads back as the value rounded to the decimals.
void CheckReadBack(double value, int decimals, bool grouped) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) return;
    const QString mask =
        QString(grouped ? "#,##0" : "0") + (decimals > 0 ? "." + QString(decimals, '0') : "");
    QString text = Format(mask, value);
    if (grouped) text.remove(TLocale::Current().ThousandSeparator);
    double back = 0;
    try {
        back = StrToFloat(text);
    } catch (const std::exception& e) {
        Fail(__FILE__, __LINE__, "StrToFloat(FormatFloat(mask, value))",
             mask + " gave '" + text + "': " + e.what());
    }
    const double step = std::pow(10.0, -decimals);
    // Half a step of rounding, and what 15 significant digits lose.
    const double tolerance = step / 2 + std::fabs(value) * 1e-14 + 1e-300;
    FUZZ_REQUIRE(std::fabs(back - value) <= tolerance,
                 mask + " of " + FloatToStr(value) + " gave '" + text + "'");
}

} // namespace

TOLVANE_FUZZ_INITIALIZE_WITH_FIXED_LOCALE()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    const double value = input.Take<double>();
    const std::uint8_t shape = input.Take<std::uint8_t>();
    const QString mask = QString::fromUtf8(input.Rest());

    const QString text = Format(mask, value);
    CheckBound(mask, value, text);
    if (mask.isEmpty()) FUZZ_REQUIRE(text == FloatToStr(value), "empty mask of " + FloatToStr(value));
    CheckSign(mask, value);
    CheckReadBack(value, shape % 16, shape & 0x80);
    return 0;
}
