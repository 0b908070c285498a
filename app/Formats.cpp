#include "app/Formats.h"

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
    std::string padded = digits;
    while (padded.size() % 3 != 0) padded.insert(0, " ");
    std::string result;
    result.reserve(padded.size() + padded.size() / 3);
    for (std::size_t i = 0; i < padded.size(); i += 3) {
        result += padded.substr(i, 3);
        result += ' ';
    }
    return result;
}

} // namespace tolvane
