#pragma once
// The values of a record source's fields as callers read them: whole numbers, keys of "="
// filters and texts, from what the database handed over (a typeless store: a numeric field may
// hold a text, a text field a number).

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>
#include <string>

namespace tolvane {

struct TFieldValues {
    // 0 for a null; a real rounded and held within the 64-bit range.
    static std::int64_t ToInteger(const QVariant& value);
    // The whole number a value matches in an "=" filter; none for a null or a text that is no number.
    static std::optional<std::int64_t> KeyOf(const QVariant& value);
    // Empty for a null; a real in the catalogue's number form; a text as UTF-8.
    static std::string ToText(const QVariant& value);
    static std::string NarrowText(const QString& text);
    // SQLite's affinity of a declared column type: whether the column turns a text that spells a
    // number into that number, so that no stored text equals a key.
    static bool NumericAffinity(const QString& declared);
};

} // namespace tolvane
