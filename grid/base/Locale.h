#pragma once
// The regional settings that number and date texts follow. They are read once from the system
// locale; tests replace them with a fixed set so that results do not depend on the machine.

#include <QString>

namespace tolvane {

struct TFormatSettings {
    QChar DecimalSeparator = '.';
    QChar ThousandSeparator = ',';
    QChar DateSeparator = '/';
    QChar TimeSeparator = ':';
    // Formats in Qt's date-time pattern language (QDate::toString / fromString).
    QString ShortDateFormat = "M/d/yyyy";
    QString LongTimeFormat = "h:mm:ss AP";

    // The classic English (United States) settings used by the tests.
    static TFormatSettings Fixed() { return TFormatSettings{}; }
    // The settings of the system locale.
    static TFormatSettings FromSystem();
};

class TLocale {
public:
    // The settings in force; the system's until SetCurrent replaces them.
    static const TFormatSettings& Current();
    static void SetCurrent(const TFormatSettings& settings);
};

} // namespace tolvane
