#include <gtest/gtest.h>

#include "grid/base/Locale.h"

using namespace tolvane;

TEST(Locale, TestsRunWithTheFixedSettings) {
    EXPECT_EQ(TLocale::Current().DecimalSeparator, QChar('.'));
    EXPECT_EQ(TLocale::Current().ShortDateFormat, QString("M/d/yyyy"));
}

TEST(Locale, SetCurrentReplacesTheSettings) {
    TFormatSettings german = TFormatSettings::Fixed();
    german.DecimalSeparator = ',';
    TLocale::SetCurrent(german);
    EXPECT_EQ(TLocale::Current().DecimalSeparator, QChar(','));
    TLocale::SetCurrent(TFormatSettings::Fixed());
}
