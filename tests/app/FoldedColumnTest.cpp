// A prefix search through the ordered folded column must list exactly the rows a pass over
// every row would, in row order, before and after rows change.
#include <gtest/gtest.h>

#include <QVariant>

#include "app/FoldedColumn.h"
#include "app/TextFold.h"

using namespace tolvane;

namespace {

std::vector<int> EveryRowPass(const TFoldedColumn& column, int rows, const QString& prefix) {
    std::vector<int> found;
    for (int r = 0; r < rows; ++r)
        if (column.StartsWith(r, prefix)) found.push_back(r);
    return found;
}

} // namespace

TEST(FoldedColumn, PrefixRangeListsWhatAPassOverEveryRowLists) {
    std::vector<QVariant> values = {
        QString("Kino"), QString("kaiba"), QString("KINO no Tabi"), QVariant(), QString(""),
        QString("Ki"), QString("K"), QString("Äther"), QString::fromUtf8("A\u0308ther"), QString("äther"),
        QString("Straße"), QString("STRASSE"), QString("strasse!"), QString("Наруто"), QString("нар"),
        QString("[K]"), QString("k%"), QString("Z"), QString("a"), QString("Ωmega"), QVariant(42),
        QString("Kaiba"), QString("kino"),
    };
    const QStringList prefixes = {"k", "ki", "kino", "K", "", "ä", "Ä", "strasse", "straße", "нар",
                                  "Ω", "[", "%", "z", "zz", "42", "kino no tabi", "kinox"};
    TFoldedColumn column;
    const auto assign = [&] {
        std::vector<const QVariant*> pointers;
        for (const QVariant& v : values) pointers.push_back(&v);
        column.Assign(pointers);
    };
    assign();
    for (int round = 0; round < 2; ++round) {
        for (const QString& typed : prefixes) {
            const QString prefix = TTextFold::Folded(typed);
            EXPECT_EQ(column.RowsWithPrefix(prefix), EveryRowPass(column, int(values.size()), prefix))
                << "round " << round << ", prefix " << typed.toStdString();
        }
        // Rows change: the order is made again for the next search.
        values[0] = QString("Zebra");
        values[3] = QString("kilo");
        column.Set(0, values[0]);
        column.Set(3, values[3]);
    }
    EXPECT_EQ(column.RowsWithPrefix(TTextFold::Folded("kI")), (std::vector<int>{2, 3, 5, 22}));
}
