#include "grid/base/Locale.h"

#include <QLocale>

namespace tolvane {

namespace {
TFormatSettings& Settings() {
    static TFormatSettings settings = TFormatSettings::FromSystem();
    return settings;
}

// The separator that a Qt date or time pattern puts between its fields.
QChar FirstSeparator(const QString& pattern, QChar fallback) {
    for (QChar c : pattern)
        if (!c.isLetter() && !c.isSpace() && c != '\'') return c;
    return fallback;
}
} // namespace

TFormatSettings TFormatSettings::FromSystem() {
    const QLocale system = QLocale::system();
    TFormatSettings s;
    s.DecimalSeparator = system.decimalPoint().isEmpty() ? QChar('.') : system.decimalPoint().at(0);
    s.ThousandSeparator = system.groupSeparator().isEmpty() ? QChar(',') : system.groupSeparator().at(0);
    s.ShortDateFormat = system.dateFormat(QLocale::ShortFormat);
    s.LongTimeFormat = system.timeFormat(QLocale::LongFormat);
    // The long time format may name a time zone; the conversions never carry one.
    s.LongTimeFormat.remove(QLatin1String(" t")).remove(QLatin1Char('t'));
    s.LongTimeFormat = s.LongTimeFormat.trimmed();
    s.DateSeparator = FirstSeparator(s.ShortDateFormat, '/');
    s.TimeSeparator = FirstSeparator(s.LongTimeFormat, ':');
    return s;
}

const TFormatSettings& TLocale::Current() { return Settings(); }

void TLocale::SetCurrent(const TFormatSettings& settings) { Settings() = settings; }

} // namespace tolvane
