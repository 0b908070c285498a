#include "grid/base/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "grid/base/Errors.h"
#include "grid/base/Locale.h"

namespace tolvane {

namespace {

constexpr long long MsPerDay = 86400000LL;
// 1899-12-30, day 0 of TDateTime.
const QDate& Epoch() {
    static const QDate epoch(1899, 12, 30);
    return epoch;
}
// 0001-01-01 and 9999-12-31, the representable days.
constexpr double MinDateTime = -693593.0;
constexpr double MaxDateTime = 2958466.0;

bool IsBlank(QChar c) {
    return c == ' ' || c == '\t';
}

QString Trimmed(const QString& text) {
    int from = 0;
    int to = int(text.size());
    while (from < to && IsBlank(text[from])) ++from;
    while (to > from && IsBlank(text[to - 1])) --to;
    return text.mid(from, to - from);
}

[[noreturn]] void ThrowFloat(const QString& text) {
    throw EConvertError("'" + text + "' is not a valid floating point value");
}

[[noreturn]] void ThrowInteger(const QString& text) {
    throw EConvertError("'" + text + "' is not a valid integer value");
}

[[noreturn]] void ThrowDate(const QString& text) {
    throw EConvertError("'" + text + "' is not a valid date and time");
}

bool IsDigit(QChar c) {
    return c >= '0' && c <= '9';
}

// The power of ten of the leading digit of a well-formed plain number ("0.05e1" -> -1).
long long DecimalExponent(const std::string& ascii) {
    const std::size_t start = !ascii.empty() && ascii[0] == '-' ? 1 : 0;
    const std::size_t e = std::min(ascii.find('e'), ascii.size());
    const std::string mantissa = ascii.substr(start, e - start);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::string whole = mantissa.substr(0, point);
    const std::string fraction = point < mantissa.size() ? mantissa.substr(point + 1) : std::string();
    const std::size_t firstDigit = whole.find_first_not_of('0');
    long long lead = firstDigit != std::string::npos
                         ? (long long)(whole.size() - firstDigit) - 1
                         : -(long long)std::min(fraction.find_first_not_of('0'), fraction.size()) - 1;
    long long exponent = 0;
    std::size_t k = e + 1;
    bool negative = false;
    if (k < ascii.size() && (ascii[k] == '+' || ascii[k] == '-')) negative = ascii[k++] == '-';
    for (; k < ascii.size(); ++k) exponent = std::min(exponent * 10 + (ascii[k] - '0'), 1000000000LL);
    return lead + (negative ? -exponent : exponent);
}

// Parses the float grammar into a plain ASCII form for from_chars; false when malformed.
bool TryStrToFloat(const QString& text, double& value) {
    const QString t = Trimmed(text);
    const QChar decimal = TLocale::Current().DecimalSeparator;
    std::string ascii;
    int i = 0;
    const int n = int(t.size());
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') ascii += '-';
        ++i;
    }
    int digits = 0;
    while (i < n && IsDigit(t[i])) ascii += char(t[i++].unicode()), ++digits;
    if (i < n && t[i] == decimal) {
        ascii += '.';
        ++i;
        while (i < n && IsDigit(t[i])) ascii += char(t[i++].unicode()), ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ascii += 'e';
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ascii += char(t[i++].unicode());
        int expDigits = 0;
        while (i < n && IsDigit(t[i])) ascii += char(t[i++].unicode()), ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != n) return false;
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero.
        if (DecimalExponent(ascii) <= 0) {
            value = 0.0;
            return true;
        }
        // Overflow has no value, except that the 15-digit text of the largest doubles
        // ("1.79769313486232E308") lies just beyond them: it reads back as the largest double.
        long double wide = 0;
        const auto [wideEnd, wideEc] = std::from_chars(first, last, wide);
        if (wideEc != std::errc() || wideEnd != last || std::fabs(wide) > 1.79769313486232e308L) return false;
        value = std::copysign(std::numeric_limits<double>::max(), double(wide));
        return true;
    }
    return ec == std::errc() && end == last;
}

bool TryStrToInt(const QString& text, int& value) {
    const QString t = Trimmed(text);
    int i = 0;
    const int n = int(t.size());
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == n) return false;
    long long magnitude = 0;
    for (; i < n; ++i) {
        if (!IsDigit(t[i])) return false;
        magnitude = magnitude * 10 + (t[i].unicode() - '0');
        if (magnitude > 2147483648LL) return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max()) return false;
    value = int(signedValue);
    return true;
}

// Splits a TDateTime into a calendar day and milliseconds since midnight. Negative values
// count the day backwards but the time of day forwards, as the stored format has it.
void Decode(TDateTime value, QDate& date, long long& ms) {
    if (!(value >= MinDateTime && value < MaxDateTime))
        throw EConvertError(std::string("Invalid date/time value"));
    double whole = std::trunc(value);
    ms = std::llround(std::abs(value - whole) * double(MsPerDay));
    if (ms >= MsPerDay) {
        // Rounded up to the next midnight, which lies a day further from day 0.
        ms -= MsPerDay;
        whole += value < 0 ? -1 : 1;
    }
    date = Epoch().addDays((long long)whole);
}

TDateTime Encode(const QDate& date, long long ms) {
    const double days = double(Epoch().daysTo(date));
    const double fraction = double(ms) / double(MsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

// The separator between the fields of a pattern: its first character that is not a letter.
QChar PatternSeparator(const QString& pattern, QChar fallback) {
    for (QChar c : pattern)
        if (!c.isLetter() && !c.isSpace() && c != '\'') return c;
    return fallback;
}

// Reads the numbers of a date in the order of the short date format (day, month, year by their
// first letters). Two fields mean the current year.
bool TryParseDate(const QString& text, QDate& date) {
    const TFormatSettings& s = TLocale::Current();
    const QDate exact = QDate::fromString(text, s.ShortDateFormat);
    if (exact.isValid()) {
        date = exact;
        return true;
    }
    const QChar sep = PatternSeparator(s.ShortDateFormat, s.DateSeparator);
    const QStringList parts = text.split(sep);
    if (parts.size() < 2 || parts.size() > 3) return false;
    int numbers[3] = {0, 0, 0};
    for (int k = 0; k < parts.size(); ++k)
        if (!TryStrToInt(parts[k], numbers[k]) || parts[k].trimmed().isEmpty() || numbers[k] < 0)
            return false;
    const qsizetype d = s.ShortDateFormat.indexOf('d');
    const qsizetype m = s.ShortDateFormat.indexOf('M');
    const qsizetype y = s.ShortDateFormat.indexOf('y');
    if (d < 0 || m < 0 || y < 0) return false;
    // Rank the three fields by where they stand in the pattern.
    auto rank = [&](qsizetype p) { return int(p > d) + int(p > m) + int(p > y); };
    int day, month, year;
    if (parts.size() == 3) {
        day = numbers[rank(d)];
        month = numbers[rank(m)];
        year = numbers[rank(y)];
        if (parts[rank(y)].trimmed().size() <= 2) year += year < 50 ? 2000 : 1900;
    } else {
        // Without the year the day and month keep their relative order.
        const bool dayFirst = d < m;
        day = numbers[dayFirst ? 0 : 1];
        month = numbers[dayFirst ? 1 : 0];
        year = QDate::currentDate().year();
    }
    date = QDate(year, month, day);
    return date.isValid();
}

// h[:m[:s[.zzz]]] with an optional AM/PM marker, separated by the regional time separator.
bool TryParseTime(const QString& text, long long& ms) {
    const TFormatSettings& s = TLocale::Current();
    QString t = text.trimmed();
    int pm = -1;
    const QString upper = t.toUpper();
    if (upper.endsWith("AM") || upper.endsWith("PM")) {
        pm = upper.endsWith("PM") ? 1 : 0;
        t = t.left(t.size() - 2).trimmed();
    }
    const QChar sep = PatternSeparator(s.LongTimeFormat, s.TimeSeparator);
    QStringList parts = t.split(sep);
    if (parts.isEmpty() || parts.size() > 3) return false;
    int msec = 0;
    if (parts.size() == 3 && parts[2].contains('.')) {
        const QStringList sec = parts[2].split('.');
        if (sec.size() != 2 || sec[1].isEmpty() || sec[1].size() > 3 || !TryStrToInt(sec[1], msec))
            return false;
        for (int k = int(sec[1].size()); k < 3; ++k) msec *= 10;
        parts[2] = sec[0];
    }
    int fields[3] = {0, 0, 0};
    for (int k = 0; k < parts.size(); ++k)
        if (parts[k].trimmed().isEmpty() || !TryStrToInt(parts[k], fields[k]) || fields[k] < 0) return false;
    int hour = fields[0];
    if (pm >= 0) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (pm == 1 ? 12 : 0);
    }
    if (parts.size() == 1 && pm < 0) return false; // a bare number is no time
    if (hour > 23 || fields[1] > 59 || fields[2] > 59 || msec < 0) return false;
    ms = ((hour * 60LL + fields[1]) * 60 + fields[2]) * 1000 + msec;
    return true;
}

// A date, a date and time, or a time, as TDateTime; unchecked against the representable days.
TDateTime ParseDateTime(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) ThrowDate(text);
    const TFormatSettings& s = TLocale::Current();
    const QDateTime full = QDateTime::fromString(t, s.ShortDateFormat + ' ' + s.LongTimeFormat);
    if (full.isValid()) return Encode(full.date(), full.time().msecsSinceStartOfDay());
    QDate date = QDate::fromString(t, s.ShortDateFormat);
    long long ms = 0;
    if (date.isValid()) return Encode(date, 0);
    // A date alone, a date followed by a time, or a time alone.
    const qsizetype blank = t.indexOf(' ');
    const QString first = blank < 0 ? t : t.left(blank);
    const QString rest = blank < 0 ? QString() : t.mid(blank + 1);
    if (TryParseDate(first, date)) {
        if (!rest.trimmed().isEmpty() && !TryParseTime(rest, ms)) ThrowDate(text);
        return Encode(date, ms);
    }
    if (TryParseTime(t, ms)) return double(ms) / double(MsPerDay);
    ThrowDate(text);
}

} // namespace

QString IntToStr(long long value) {
    return QString::number(value);
}

QString FloatToStr(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0) return QStringLiteral("0");
    char buffer[40];
    // Unlike printf, to_chars ignores the C locale. It gives "1.5e-05" / "1e+15"; the regional
    // form has a capital E, no plus sign and no zero padding.
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    const std::string s(buffer, ec == std::errc() ? end : buffer);
    QString result;
    const std::size_t e = s.find('e');
    const std::string mantissa = e == std::string::npos ? s : s.substr(0, e);
    for (char c : mantissa) result += c == '.' ? TLocale::Current().DecimalSeparator : QChar(c);
    if (e != std::string::npos) {
        std::size_t k = e + 1;
        bool negative = false;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) negative = s[k++] == '-';
        while (k + 1 < s.size() && s[k] == '0') ++k;
        result += 'E';
        if (negative) result += '-';
        result += QString::fromLatin1(s.substr(k));
    }
    return result;
}

double StrToFloat(const QString& text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) ThrowFloat(text);
    return value;
}

int StrToInt(const QString& text) {
    int value = 0;
    if (!TryStrToInt(text, value)) ThrowInteger(text);
    return value;
}

QString BoolToStr(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool StrToBool(const QString& text) {
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    double number = 0;
    if (TryStrToFloat(text, number)) return number != 0;
    throw EConvertError("'" + text + "' is not a valid boolean value");
}

QString DateToStr(TDateTime value) {
    QDate date;
    long long ms = 0;
    Decode(value, date, ms);
    return date.toString(TLocale::Current().ShortDateFormat);
}

QString DateTimeToStr(TDateTime value) {
    QDate date;
    long long ms = 0;
    Decode(value, date, ms);
    QString result = date.toString(TLocale::Current().ShortDateFormat);
    if (ms != 0)
        result += ' ' + QTime::fromMSecsSinceStartOfDay(int(ms)).toString(TLocale::Current().LongTimeFormat);
    return result;
}

TDateTime StrToDateTime(const QString& text) {
    const TDateTime value = ParseDateTime(text);
    // A date beyond the representable days (year 10000, say) would have no text.
    if (!(value >= MinDateTime && value < MaxDateTime)) ThrowDate(text);
    return value;
}

TDateTime Date() {
    return double(Epoch().daysTo(QDate::currentDate()));
}

TDateTime Now() {
    const QDateTime now = QDateTime::currentDateTime();
    return Encode(now.date(), now.time().msecsSinceStartOfDay());
}

int RoundToInt(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= double(std::numeric_limits<int>::min()) &&
          rounded <= double(std::numeric_limits<int>::max())))
        throw EConvertError("'" + FloatToStr(value) + "' is out of the integer range");
    return int(rounded);
}

} // namespace tolvane
