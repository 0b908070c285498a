#include <algorithm>
#include <cmath>
#include <limits>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "FakeColumns.h"
#include "grid/model/cells/VirtualCell.h"
#include "grid/base/Errors.h"

using namespace tolvane;
using namespace tolvane::testing;

namespace {

std::vector<QString> Q(std::initializer_list<const char*> texts) {
    std::vector<QString> result;
    for (const char* t : texts) result.emplace_back(t);
    return result;
}

// A text column sorted by sortType, with an id column that must travel with it.
class SortFixture : public GridDataFixture {
public:
    explicit SortFixture(int kind, const std::vector<QString>& values) {
        AddColumn(kind);
        AddColumn(6);
        AddTextRows(0, values);
        for (int r = 0; r < data.GetRowCount(); ++r) data.GetCell(1, r)->SetAsInteger(r);
        originals = ColumnTexts(0);
    }

    // Each row still pairs its value with the id it started with.
    void ExpectRowsIntact() {
        for (int r = 0; r < data.GetRowCount(); ++r)
            EXPECT_EQ(Text(0, r), originals[std::size_t(data.GetCell(1, r)->AsInteger())]) << "row " << r;
    }

    std::vector<TCell*> CellsOf(int col) {
        std::vector<TCell*> cells;
        for (int r = 0; r < data.GetRowCount(); ++r) cells.push_back(data.GetCell(col, r));
        return cells;
    }

    std::vector<QString> originals;
};

struct SortCase {
    const char* name;
    int kind;
    TSortType sortType;
    std::vector<QString> values;
    std::vector<QString> ascending;
};

class SortByType : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortByType, AscendingThenDescending) {
    const SortCase& c = GetParam();
    SortFixture f(c.kind, c.values);
    f.data.SortRows(0, c.sortType, false);
    EXPECT_EQ(f.ColumnTexts(0), c.ascending);
    f.ExpectRowsIntact();
    EXPECT_TRUE(f.data.Cells().SortValid());

    // Sorting descending from the start gives the reverse order.
    SortFixture g(c.kind, c.values);
    g.data.SortRows(0, c.sortType, true);
    std::vector<QString> descending = c.ascending;
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(g.ColumnTexts(0), descending);
    g.ExpectRowsIntact();
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SortByType,
    ::testing::Values(
        SortCase{"Alphabetic", 7, stAlphabetic, Q({"b", "B", "ab", "a", "A", "\xc3\xa9"}),
                 Q({"A", "B", "a", "ab", "b", "\xc3\xa9"})},
        SortCase{"CaseInsensitive", 7, stCaseInsensitive, Q({"beta", "Alpha", "GAMMA", "alphA1"}),
                 Q({"Alpha", "alphA1", "beta", "GAMMA"})},
        SortCase{"NumericText", 7, stNumeric, Q({"10", "-2.5", "3", "100", "0"}),
                 Q({"-2.5", "0", "3", "10", "100"})},
        SortCase{"NumericFloat", 5, stNumeric, Q({"10", "-2.5", "3", "100", "0"}),
                 Q({"-2.5", "0", "3", "10", "100"})},
        SortCase{"Boolean", 3, stBoolean, Q({"true", "false", "TRUE", "x", "False"}),
                 Q({"False", "False", "False", "True", "True"})},
        SortCase{"Date", 4, stDate, Q({"3/5/2024", "12/31/1999", "3/5/2024 6:00:00 AM", "1/1/2000"}),
                 Q({"12/31/1999", "1/1/2000", "3/5/2024", "3/5/2024 6:00:00 AM"})},
        // The address order weighs the fourth number first, and ascending puts the larger key first.
        SortCase{"IP", 7, stIP, Q({"10.1", "192.168.0.1", "10.0.0.25", "4.3.2.1", "1.2.3.4"}),
                 Q({"10.0.0.25", "1.2.3.4", "4.3.2.1", "192.168.0.1", "10.1"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Sort, IPKeysFillFromTheLeftAndSkipOtherCharacters) {
    // "1.2.3.9x" ends its last run at the "x"; "9" stands for 9.0.0.0.
    SortFixture f(7, Q({"9", "0.0.0.8", "1.2.3.9x", " 0.0.1.9"}));
    f.data.SortRows(0, stIP, false);
    EXPECT_EQ(f.ColumnTexts(0), Q({"1.2.3.9x", " 0.0.1.9", "0.0.0.8", "9"}));
}

TEST(Sort, ConversionErrorsReachTheCallerAndLeaveTheOrder) {
    for (auto [values, type] :
         {std::pair{Q({"1", "x", "3"}), stNumeric}, std::pair{Q({"1/1/2000", "soon"}), stDate},
          std::pair{Q({"1..2", "1.2"}), stIP}, std::pair{Q({"1.2", "."}), stIP}}) {
        SortFixture f(7, values);
        EXPECT_THROW(f.data.SortRows(0, type, false), EConvertError);
        EXPECT_EQ(f.ColumnTexts(0), values);
        EXPECT_FALSE(f.data.Cells().SortValid());
    }
}

TEST(Sort, OtherDirectionReversesExactlyWithoutReadingKeys) {
    GridDataFixture f;
    f.AddColumn(9);
    f.AddColumn(6);
    const std::vector<QString> keys = Q({"m", "c", "c", "x", "a", "c", "m", "b", "x"});
    f.data.AddRows(int(keys.size()));
    int reads = 0;
    for (int r = 0; r < int(keys.size()); ++r) {
        auto& cell = static_cast<TVirtualCell&>(*f.data.GetCell(0, r));
        cell.A = r;
        cell.OnGetText = [&](TVirtualCell&, int a, int, QString& text) {
            ++reads;
            text = keys[std::size_t(a)];
        };
    }
    f.data.SortRows(0, stAlphabetic, false);
    EXPECT_GT(reads, 0);
    std::vector<TCell*> ascending;
    for (int r = 0; r < f.data.GetRowCount(); ++r) ascending.push_back(f.data.GetCell(0, r));

    reads = 0;
    f.data.SortRows(0, stAlphabetic, true);
    EXPECT_EQ(reads, 0);
    std::vector<TCell*> descending;
    for (int r = 0; r < f.data.GetRowCount(); ++r) descending.push_back(f.data.GetCell(0, r));
    std::reverse(ascending.begin(), ascending.end());
    EXPECT_EQ(descending, ascending) << "equal keys keep their mirrored places";

    // The same direction again is a full sort.
    f.data.SortRows(0, stAlphabetic, true);
    EXPECT_GT(reads, 0);
}

TEST(Sort, CellWriteInBetweenForcesAFullSort) {
    SortFixture f(7, Q({"c", "a", "d", "b"}));
    f.data.SortRows(0, stAlphabetic, false);
    f.data.SetCellText(0, 0, "z");
    EXPECT_FALSE(f.data.Cells().SortValid());
    f.data.SortRows(0, stAlphabetic, true);
    EXPECT_EQ(f.ColumnTexts(0), Q({"z", "d", "c", "b"}));
}

// Between two sorts of one column, anything but the sort itself that reorders the rows, or a
// change of the sort type, makes the second sort a full one.
struct ResortCase {
    const char* name;
    std::vector<QString> values;
    TSortType first;
    TSortType second;
    std::function<void(GridDataFixture&)> between;
    std::vector<QString> descending;
};

class SortAfterAChange : public ::testing::TestWithParam<ResortCase> {};

TEST_P(SortAfterAChange, IsAFullSort) {
    const ResortCase& c = GetParam();
    SortFixture f(7, c.values);
    f.data.SortRows(0, c.first, false);
    c.between(f);
    f.data.SortRows(0, c.second, true);
    EXPECT_EQ(f.ColumnTexts(0), c.descending);
    f.ExpectRowsIntact();
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SortAfterAChange,
    ::testing::Values(ResortCase{"Exchange", Q({"2", "3", "1"}), stNumeric, stNumeric,
                                 [](GridDataFixture& f) { f.data.ExchangeRows(0, 2); }, Q({"3", "2", "1"})},
                      ResortCase{"Move", Q({"2", "3", "1"}), stNumeric, stNumeric,
                                 [](GridDataFixture& f) { f.data.MoveRow(0, 2); }, Q({"3", "2", "1"})},
                      ResortCase{"SortType", Q({"9", "100", "10"}), stAlphabetic, stNumeric,
                                 [](GridDataFixture&) {}, Q({"100", "10", "9"})},
                      ResortCase{"SortTypeBack", Q({"9", "100", "10"}), stNumeric, stAlphabetic,
                                 [](GridDataFixture&) {}, Q({"9", "100", "10"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Sort, AnotherColumnIsAFullSort) {
    GridDataFixture f;
    f.AddColumn(7);
    f.AddColumn(7);
    f.AddTextRows(0, Q({"b", "a", "c"}));
    for (int r = 0; r < 3; ++r) f.data.SetCellText(1, r, Q({"2", "3", "1"})[std::size_t(r)]);
    f.data.SortRows(0, stAlphabetic, false);
    f.data.SortRows(1, stNumeric, true);
    EXPECT_EQ(f.ColumnTexts(1), Q({"3", "2", "1"}));
    EXPECT_EQ(f.ColumnTexts(0), Q({"a", "b", "c"}));
    EXPECT_EQ(f.data.Cells().LastSortColumn(), 1);
    EXPECT_TRUE(f.data.Cells().LastSortDescending());
}

TEST(Sort, ReversalFollowsTheSortedColumnWhenColumnsShift) {
    GridDataFixture f;
    f.AddColumn(7);
    f.AddColumn(7);
    f.AddColumn(7);
    f.AddTextRows(1, Q({"b", "a", "c"}));
    for (int r = 0; r < 3; ++r) f.data.SetCellText(2, r, Q({"x", "z", "y"})[std::size_t(r)]);
    f.data.SortRows(1, stAlphabetic, false);
    // Column 1 is now the one that was column 2: its descending sort is a sort, not a reversal.
    f.columns.columns.erase(f.columns.columns.begin());
    f.data.ColumnsNotify(cnDeleted, 0);
    f.data.SortRows(1, stAlphabetic, true);
    EXPECT_EQ(f.ColumnTexts(1), Q({"z", "y", "x"}));

    // After a move the column now at the last sorted index is another one as well.
    f.data.SortRows(0, stAlphabetic, false);
    f.data.ColumnsNotify(cnMoved, 0, 1);
    f.data.SortRows(0, stAlphabetic, true);
    EXPECT_EQ(f.ColumnTexts(0), Q({"z", "y", "x"}));
}

TEST(Sort, RowNumbersStayOneToNAfterASort) {
    GridDataFixture f;
    f.AddColumn(0);
    f.AddColumn(7);
    f.AddTextRows(1, Q({"e", "d", "c", "b", "a"}));
    const std::vector<QString> numbers = Q({"1", "2", "3", "4", "5"});
    EXPECT_EQ(f.ColumnTexts(0), numbers);
    f.data.SortRows(1, stAlphabetic, false);
    EXPECT_EQ(f.ColumnTexts(1), Q({"a", "b", "c", "d", "e"}));
    EXPECT_EQ(f.ColumnTexts(0), numbers);
}

TEST(Sort, ManyRowsWithDuplicatesMatchAStandardSort) {
    std::mt19937 random(7);
    std::vector<QString> values;
    for (int k = 0; k < 3000; ++k) values.push_back(QString::number(int(random() % 500) - 250));
    SortFixture f(7, values);
    f.data.SortRows(0, stNumeric, false);
    std::vector<double> expected;
    for (const QString& v : values) expected.push_back(v.toDouble());
    std::sort(expected.begin(), expected.end());
    std::vector<double> actual;
    for (int r = 0; r < f.data.GetRowCount(); ++r) actual.push_back(f.data.GetCell(0, r)->AsFloat());
    EXPECT_EQ(actual, expected);
    f.ExpectRowsIntact();
}

TEST(Sort, TextsOrderByCodeUnitsWhereverTheyDiffer) {
    // Long shared beginnings, unit 0 inside a text, and units above the surrogates.
    std::mt19937 random(11);
    const char16_t alphabet[] = {u'\0', u'a', u'b', u'\xd800', u'\xffff'};
    std::vector<QString> values;
    for (int k = 0; k < 2000; ++k) {
        QString text = k % 3 ? QString("abcdefgh") : QString();
        for (int n = int(random() % 12); n > 0; --n) text += QChar(alphabet[random() % 5]);
        values.push_back(text);
    }
    SortFixture f(7, values);
    f.data.SortRows(0, stAlphabetic, false);
    std::vector<QString> expected = values;
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    EXPECT_EQ(f.ColumnTexts(0), expected);
    f.ExpectRowsIntact();
}

TEST(Sort, NotANumberKeysStayInsideTheRange) {
    GridDataFixture f;
    f.AddColumn(5);
    f.data.AddRows(6);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double values[] = {nan, 3, nan, -1, 2, nan};
    for (int r = 0; r < 6; ++r) f.data.GetCell(0, r)->SetAsFloat(values[r]);
    f.data.SortRows(0, stNumeric, false);
    EXPECT_EQ(f.ColumnTexts(0), Q({"-1", "2", "3", "NAN", "NAN", "NAN"}));
}

// Equal numbers keep the order their rows had, sorted either way.
TEST(Sort, EqualNumbersKeepTheirRowsOrder) {
    std::mt19937 random(5);
    std::vector<QString> digits;
    for (int k = 0; k < 2000; ++k) digits.push_back(QString::number(int(random() % 10)));
    for (bool descending : {false, true}) {
        SortFixture f(7, digits);
        f.data.SortRows(0, stNumeric, descending);
        for (int r = 1; r < f.data.GetRowCount(); ++r) {
            const double before = f.data.GetCell(0, r - 1)->AsFloat(), here = f.data.GetCell(0, r)->AsFloat();
            ASSERT_TRUE(descending ? before >= here : before <= here) << "row " << r;
            if (before == here)
                ASSERT_LT(f.data.GetCell(1, r - 1)->AsInteger(), f.data.GetCell(1, r)->AsInteger()) << "row " << r;
        }
        f.ExpectRowsIntact();
    }
}

TEST(Sort, NumbersOfEverySignAndSizeOrderAsNumbers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::mt19937 random(9);
    std::vector<double> values{-0.0, 0.0, -inf, inf, nan, -nan, 4.9e-324, -4.9e-324, 1e300, -1e300};
    for (int k = 0; k < 500; ++k)
        values.push_back(std::ldexp(double(int(random() % 2001) - 1000), int(random() % 200) - 100));
    for (bool descending : {false, true}) {
        GridDataFixture f;
        f.AddColumn(5);
        f.data.AddRows(int(values.size()));
        for (int r = 0; r < int(values.size()); ++r) f.data.GetCell(0, r)->SetAsFloat(values[std::size_t(r)]);
        f.data.SortRows(0, stNumeric, descending);
        std::vector<double> sorted;
        for (int r = 0; r < f.data.GetRowCount(); ++r) sorted.push_back(f.data.GetCell(0, r)->AsFloat());
        if (descending) std::reverse(sorted.begin(), sorted.end());
        // Ascending, every NaN at the end; -0 equals 0.
        const auto numbers = std::find_if(sorted.begin(), sorted.end(), [](double v) { return v != v; });
        EXPECT_EQ(sorted.end() - numbers, 2);
        EXPECT_TRUE(std::all_of(numbers, sorted.end(), [](double v) { return v != v; }));
        EXPECT_TRUE(std::is_sorted(sorted.begin(), numbers)) << "descending " << descending;
    }
}

TEST(Sort, TinyStoresAndBadColumns) {
    GridDataFixture f;
    f.AddColumn(7);
    EXPECT_NO_THROW(f.data.SortRows(0, stNumeric, false));
    f.AddTextRows(0, Q({"not a number"}));
    EXPECT_NO_THROW(f.data.SortRows(0, stNumeric, false)) << "one row compares nothing";
    EXPECT_THROW(f.data.SortRows(1, stAlphabetic, false), EListError);
    EXPECT_THROW(f.data.SortRows(-1, stAlphabetic, false), EListError);
}

} // namespace
