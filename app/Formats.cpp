#include "app/Formats.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tolvane {

namespace {

std::string Unsigned(std::uint64_t v) {
    return std::to_string(v);
}

std::string FormatNonNegative(std::uint64_t ms) {
    std::string text = Unsigned(ms % 1000);
    while (text.size() < 3) text.insert(0, "0");
    std::uint64_t v = ms / 1000;
    int pass = 1;
    do {
        std::uint64_t part;
        std::uint64_t next;
        if (pass <= 2) {
            part = v % 60;
            next = v / 60;
        } else {
            part = v; // all remaining hours
            next = 0;
        }
        text.insert(0, Unsigned(part) + ":");
        if (part < 10) text.insert(0, "0");
        v = next;
        ++pass;
    } while (v != 0);
    while (text.size() < 12) text.insert(0, "0");
    const std::size_t length = text.size();
    text[length - 10] = ':';
    text[length - 7] = ':';
    text[length - 4] = ',';
    return text;
}

} // namespace

std::string FormatDuration(std::int64_t ms) {
    if (ms < 0) return "-" + FormatNonNegative(0 - static_cast<std::uint64_t>(ms));
    return FormatNonNegative(static_cast<std::uint64_t>(ms));
}

std::string FormatSize(const std::string& digits) {
    // Characters, not bytes: a text kept in the size field may hold letters of several UTF-8 bytes.
    const auto isLead = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    const auto characters = static_cast<std::size_t>(std::count_if(digits.begin(), digits.end(), isLead));
    std::string result((3 - characters % 3) % 3, ' ');
    std::size_t inGroup = result.size();
    result.reserve(digits.size() + digits.size() / 3 + 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (isLead(digits[i]) && inGroup == 3) {
            result += ' ';
            inGroup = 0;
        }
        result += digits[i];
        if (isLead(digits[i])) ++inGroup;
    }
    if (inGroup > 0) result += ' ';
    return result;
}

std::string FloatFieldText(double value) {
    if (value == 0) return "0"; // negative zero too
    if (std::isfinite(value) && value == std::floor(value)) {
        // The largest double has 309 digits.
        char digits[320];
        std::snprintf(digits, sizeof digits, "%.0f", value);
        return digits;
    }
    return QString::number(value, 'g', 15).toStdString();
}

} // namespace tolvane
