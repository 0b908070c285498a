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

// Escapes of four hex digits end by themselves: "e\u0301cole" is e, a combining acute, "cole".
INSTANTIATE_TEST_SUITE_P(
    Scripts, ForgivingSearch,
    ::testing::Values(
        // A decomposed accent meets a composed one, either way round.
        TSearchCase{"e\u0301cole", "\u00e9c", true}, TSearchCase{"\u00e9cole", "e\u0301c", true},
        TSearchCase{"E\u0301COLE", "\u00e9col", true},
        // Full case folding: ß is ss, a ligature its letters, final sigma a sigma, Kelvin sign k.
        TSearchCase{"Straße", "strasse", true}, TSearchCase{"Strasse", "STRAß", true},
        TSearchCase{"\ufb01le", "fil", true}, TSearchCase{"Σίσυφος", "σίσυφοσ", true},
        TSearchCase{"Kiki", "\u212ai", true},
        // Dotted capital I folds to i and a combining dot, so "i" begins it (a fuzz finding).
        TSearchCase{"\u0130stanbul", "i", true},
        // Letter case in every script.
        TSearchCase{"Наруто", "нар", true}, TSearchCase{"Наруто", "НАРУТО", true},
        TSearchCase{"Ωmega", "ωm", true}, TSearchCase{"Ghost", "gHO", true},
        // Still a prefix, still literal, and an accent still counts.
        TSearchCase{"Наруто", "руто", false}, TSearchCase{"ecole", "\u00e9c", false},
        TSearchCase{"Strasse", "straßex", false}, TSearchCase{"N_na", "N%", false},
        TSearchCase{"Nana", "N_", false},
        TSearchCase{"O'Brien 100% [x]_*\\\"", "o'brien 100% [X]_*\\\"", true}));

// Hostile texts go through the typed path whole: the filter text is the one the window composes,
// and the prefix is every character typed.
class HostileTypedPrefix : public ::testing::TestWithParam<QString> {};

TEST_P(HostileTypedPrefix, KeepsTheTextWhole) {
    const QString text = GetParam();
    const TFilterExpression typed = TFilterExpression::PrefixOf(TCatalogSchema::Titles(), kName, text);
    const TFilterExpression parsed = TFilterExpression::Parse(
        TFilterExpression::Prefix(kName, text.toStdString()), TCatalogSchema::Titles());
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
        {"e\u0301", "\u00e9"}, // composed
        {"Straße", "strasse"}, // ß
        {"\u0130", "i\u0307"}, // İ: i and a combining dot, which has no composition
        {"\u1e9e", "ss"},      // capital ẞ
        {"Ёлка", "ёлка"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TTextFold::Folded(QString::fromUtf8(c.text)), QString::fromUtf8(c.folded)) << c.text;
    EXPECT_TRUE(TTextFold::Folded(QString()).isNull());
    EXPECT_EQ(TTextFold::Folded(QString(100000, QChar(0xDF))).size(), 200000) << "ß grows to ss";
}

} // namespace
} // namespace tolvane
