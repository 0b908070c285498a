// The title search as people expect it across scripts: both sides NFC-normalised and fully
// case-folded, every character of the typed text still taken literally.

#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "app/CatalogStore.h"
#include "app/FilterExpression.h"
#include "app/RecordSource.h"
#include "app/TextFold.h"

namespace tolvane {
namespace {

const QString kName = QString::fromUtf8("Название");

struct TSearchCase {
    const char* stored; // UTF-8, as the catalogue holds it
    const char* typed;
    bool found;
};

void PrintTo(const TSearchCase& c, std::ostream* os) {
    *os << '"' << c.stored << "\" <- \"" << c.typed << '"';
}

class ForgivingSearch : public ::testing::TestWithParam<TSearchCase> {};

// The typed path (the parsed expression carried along) and the filter text parsed back agree.
TEST_P(ForgivingSearch, FindsWhatPeopleMean) {
    const TSearchCase& c = GetParam();
    test::TTestCatalog catalogue;
    catalogue.AddTitle(QString::fromUtf8(c.stored));
    catalogue.AddTitle("Zzz");
    TCatalogStore store;
    store.Open(catalogue.Path(), TOpenMode::omReadOnly);
    TRecordSource titles(TCatalogSchema::Titles());
    titles.Open(store);
    const QString typed = QString::fromUtf8(c.typed);

    titles.SetFilter(TFilterExpression::PrefixOf(titles.Definition(), kName, typed));
    titles.SetFiltered(true);
    EXPECT_EQ(titles.RecordCount(), c.found ? 1 : 0) << "typed";
    EXPECT_EQ(titles.Filter(), TFilterExpression::Prefix(kName, typed.toStdString()));

    titles.SetFiltered(false);
    titles.SetFilter(TFilterExpression::Prefix(kName, typed.toStdString()));
    titles.SetFiltered(true);
    EXPECT_EQ(titles.RecordCount(), c.found ? 1 : 0) << "parsed";
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ForgivingSearch,
    ::testing::Values(
        // A decomposed accent (e + U+0301) meets a composed one, either way round.
        TSearchCase{"e\xCC\x81" "cole", "\xC3\xA9" "c", true}, TSearchCase{"\xC3\xA9" "cole", "e\xCC\x81" "c", true},
        TSearchCase{"E\xCC\x81" "COLE", "\xC3\xA9" "col", true},
        // Full case folding: ß is ss, ligatures are their letters, final sigma is sigma.
        TSearchCase{"Stra\xC3\x9F" "e", "strasse", true}, TSearchCase{"Strasse", "STRA\xC3\x9F", true},
        TSearchCase{"\xEF\xAC\x81" "le", "fil", true},
        TSearchCase{"\xCE\xA3\xCE\xAF\xCF\x83\xCF\x85\xCF\x86\xCE\xBF\xCF\x82", "\xCF\x83\xCE\xAF\xCF\x83\xCF\x85\xCF\x86\xCE\xBF\xCF\x83", true},
        // Kelvin sign K and letter k are one letter.
        TSearchCase{"Kiki", "\xE2\x84\xAA" "i", true},
        // Letter case in every script.
        TSearchCase{"Наруто", "нар", true}, TSearchCase{"Наруто", "НАРУТО", true},
        TSearchCase{"\xCE\xA9" "mega", "\xCF\x89" "m", true}, TSearchCase{"Ghost", "gHO", true},
        // Still a prefix, still literal, and an accent still counts.
        TSearchCase{"Наруто", "руто", false}, TSearchCase{"ecole", "\xC3\xA9" "c", false},
        TSearchCase{"Strasse", "stra\xC3\x9F" "ex", false}, TSearchCase{"N_na", "N%", false},
        TSearchCase{"Nana", "N_", false}, TSearchCase{"O'Brien 100% [x]_*\\\"", "o'brien 100% [X]_*\\\"", true}));

// Hostile texts go through the typed path whole: the filter text is the one the window composes,
// and the prefix is every character typed.
class HostileTypedPrefix : public ::testing::TestWithParam<QString> {};

TEST_P(HostileTypedPrefix, KeepsTheTextWhole) {
    const QString text = GetParam();
    const TFilterExpression typed = TFilterExpression::PrefixOf(TCatalogSchema::Titles(), kName, text);
    const TFilterExpression parsed =
        TFilterExpression::Parse(TFilterExpression::Prefix(kName, text.toStdString()), TCatalogSchema::Titles());
    EXPECT_EQ(typed.Text(), TFilterExpression::Prefix(kName, text.toStdString()));
    EXPECT_EQ(typed.Type(), TFilterType::ftPrefix);
    EXPECT_EQ(typed.Field(), 1);
    EXPECT_EQ(typed.Value(), text);
    EXPECT_EQ(typed.Value(), parsed.Value());
    EXPECT_EQ(typed.FoldedValue(), parsed.FoldedValue());
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileTypedPrefix,
                         ::testing::Values("'", "O'Brien", "%", "_", "*", "[a-z]", "\\", "\"", "%'",
                                           "' OR 1=1 --", "x'; DROP TABLE \"Sp\"; --", QString(100000, 'q'),
                                           QString::fromUtf8("Наруто"), QString::fromUtf8("emoji 😀"),
                                           QString::fromUtf8("e\xCC\x81")));

TEST(TextFold, FoldsToOneFormWhateverTheInput) {
    const struct {
        const char* text;
        const char* folded;
    } cases[] = {
        {"ABC xyz 09", "abc xyz 09"},
        {"e\xCC\x81", "\xC3\xA9"},                  // composed
        {"Stra\xC3\x9F" "e", "strasse"},            // ß
        {"\xC4\xB0", "i\xCC\x87"},                  // İ: i and a combining dot, which has no composition
        {"\xE1\xBA\x9E", "ss"},                     // capital ẞ
        {"\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0", "\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0"}, // Ёлка
    };
    for (const auto& c : cases)
        EXPECT_EQ(TTextFold::Folded(QString::fromUtf8(c.text)), QString::fromUtf8(c.folded)) << c.text;
    EXPECT_TRUE(TTextFold::Folded(QString()).isNull());
    EXPECT_EQ(TTextFold::Folded(QString(100000, QChar(0xDF))).size(), 200000) << "ß grows to ss";
}

} // namespace
} // namespace tolvane
