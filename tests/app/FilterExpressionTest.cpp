#include <gtest/gtest.h>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/FilterExpression.h"

namespace tolvane {
namespace {

const QString kName = QString::fromUtf8("Название");

TEST(FilterExpression, BuildsTheTextsTheWindowSets) {
    EXPECT_EQ(TFilterExpression::Prefix(kName, "Na"), "Название like 'Na%'");
    EXPECT_EQ(TFilterExpression::Equals("ID", "12"), "ID = 12");
    EXPECT_EQ(TFilterExpression::Equals(kName, "12"), "Название = 12");
    EXPECT_EQ(TFilterExpression::Equals(kName, ""), "Название = ");
}

TEST(FilterExpression, ParsesEqualityOnAKey) {
    const auto e = TFilterExpression::Parse("ID = 12", TCatalogSchema::Totals());
    EXPECT_EQ(e.Type(), TFilterType::ftEquals);
    EXPECT_EQ(TCatalogSchema::Totals().Fields[e.Field()].Name, "ID");
    EXPECT_TRUE(e.HasNumber());
    EXPECT_EQ(e.Number(), 12);
}

TEST(FilterExpression, EmptyIdTextHasNoNumber) {
    const auto e = TFilterExpression::Parse("Название = ", TCatalogSchema::Episodes());
    EXPECT_EQ(TCatalogSchema::Episodes().Fields[e.Field()].Name, kName);
    EXPECT_FALSE(e.HasNumber());
}

class HostilePrefix : public ::testing::TestWithParam<std::string> {};

// Whatever the search text holds, parsing gives it back whole as the prefix.
TEST_P(HostilePrefix, SurvivesBuildAndParseLiterally) {
    const std::string text = GetParam();
    const auto e = TFilterExpression::Parse(TFilterExpression::Prefix(kName, text), TCatalogSchema::Titles());
    EXPECT_EQ(e.Type(), TFilterType::ftPrefix);
    EXPECT_EQ(e.Field(), 1);
    EXPECT_EQ(e.Value().toStdString(), text);
}

INSTANTIATE_TEST_SUITE_P(Texts, HostilePrefix,
                         ::testing::Values("Na", "'", "O'Brien", "%", "_", "*", "[a-z]", "\\", "\"", "a%'",
                                           "%'", "' OR 1=1 --", "x'; DROP TABLE \"Sp\"; --", "ID = 1",
                                           std::string(5000, 'q'), "Наруто", "日本語", "emoji 😀", " ",
                                           "like '"));

TEST(FilterExpression, RejectsTextsOfOtherForms) {
    EXPECT_THROW(TFilterExpression::Parse("Unknown = 1", TCatalogSchema::Titles()), ECatalogError);
    EXPECT_THROW(TFilterExpression::Parse("ID like 5", TCatalogSchema::Titles()), ECatalogError);
    EXPECT_THROW(TFilterExpression::Parse("ID = 1 OR 1=1", TCatalogSchema::Titles()), ECatalogError);
    EXPECT_THROW(TFilterExpression::Parse("ID = abc", TCatalogSchema::Titles()), ECatalogError);
    EXPECT_THROW(TFilterExpression::Parse("Название like 'abc'", TCatalogSchema::Titles()), ECatalogError);
}

} // namespace
} // namespace tolvane
