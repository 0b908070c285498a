#include "app/FieldValues.h"

#include <cmath>
#include <limits>

#include "app/Formats.h"

namespace tolvane {

std::int64_t TFieldValues::ToInteger(const QVariant& value) {
    if (value.isNull()) return 0;
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return *static_cast<const qlonglong*>(value.constData());
    case QMetaType::Int:
        return *static_cast<const int*>(value.constData());
    case QMetaType::Double:
    case QMetaType::Float: {
        const double v = value.toDouble();
        if (!std::isfinite(v)) return 0;
        if (v >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
        if (v <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
        return std::llround(v);
    }
    default:
        return value.toLongLong();
    }
}

std::optional<std::int64_t> TFieldValues::KeyOf(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::QString: {
        // The store is typeless: a numeric field may hold a text, which equals a number only
        // when it is one, never the 0 it reads as.
        bool ok = false;
        const qlonglong v = value.toString().toLongLong(&ok);
        if (!ok) return std::nullopt;
        return v;
    }
    case QMetaType::QByteArray:
        return std::nullopt;
    case QMetaType::Double:
    case QMetaType::Float: {
        // Equal as numbers, as the database compares them: 7.4 is no key 7.
        const double v = value.toDouble();
        if (!std::isfinite(v) || v != std::floor(v) || std::fabs(v) >= 9.2e18) return std::nullopt;
        return static_cast<std::int64_t>(v);
    }
    default:
        return ToInteger(value);
    }
}

std::string TFieldValues::ToText(const QVariant& value) {
    if (value.isNull()) return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return FloatFieldText(value.toDouble());
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return std::to_string(value.toLongLong());
    case QMetaType::QString:
        return NarrowText(*static_cast<const QString*>(value.constData()));
    default:
        return value.toString().toStdString();
    }
}

// Most catalogue texts are plain ASCII: those are narrowed in place, without the round trip
// through a byte array.
std::string TFieldValues::NarrowText(const QString& text) {
    const qsizetype size = text.size();
    const QChar* chars = text.constData();
    for (qsizetype i = 0; i < size; ++i)
        if (chars[i].unicode() >= 0x80) return text.toStdString();
    std::string narrow(static_cast<std::size_t>(size), '\0');
    for (qsizetype i = 0; i < size; ++i)
        narrow[static_cast<std::size_t>(i)] = static_cast<char>(chars[i].unicode());
    return narrow;
}

bool TFieldValues::NumericAffinity(const QString& declared) {
    const QString type = declared.toUpper();
    if (type.contains("INT")) return true;
    if (type.contains("CHAR") || type.contains("CLOB") || type.contains("TEXT")) return false;
    if (type.contains("BLOB") || type.isEmpty()) return false;
    return true; // REAL or NUMERIC
}

} // namespace tolvane
