#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "app/CatalogError.h"
#include "app/RowReader.h"

namespace tolvane {
namespace {

class RowReaderTest : public ::testing::Test {
protected:
    test::TTestCatalog catalogue;
    test::TRawDb raw{catalogue.Path()};
};

TEST_F(RowReaderTest, ReadsEveryKindOfValueAsTheQtDriverDoes) {
    const QString sql =
        QString::fromUtf8("SELECT NULL, 7, -5000000000, 1.5, 3.0, 'Наруто', '', x'00ff' UNION ALL "
                          "SELECT 'x', NULL, 2, NULL, 1e300, NULL, 'y', NULL");
    QSqlQuery q(raw.Db());
    ASSERT_TRUE(q.exec(sql));
    const int columns = 8;
    std::vector<int> positions;
    for (int c = 0; c < columns; ++c) positions.push_back(c);
    const auto rows = TRowReader::Read(raw.Db(), sql, columns, positions);
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& row : rows) {
        ASSERT_TRUE(q.next());
        for (int c = 0; c < columns; ++c) {
            SCOPED_TRACE(testing::Message() << "column " << c);
            const QVariant expected = q.value(c);
            EXPECT_EQ(row[c].typeId(), expected.typeId());
            EXPECT_EQ(row[c].isNull(), expected.isNull());
            EXPECT_EQ(row[c], expected);
        }
    }
}

TEST_F(RowReaderTest, PlacesColumnsAtTheirPositionsAndLeavesTheRestEmpty) {
    const auto rows = TRowReader::Read(raw.Db(), "SELECT 1, 'b'", 4, {3, 1});
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 4u);
    EXPECT_FALSE(rows[0][0].isValid());
    EXPECT_EQ(rows[0][1].toString(), "b");
    EXPECT_FALSE(rows[0][2].isValid());
    EXPECT_EQ(rows[0][3].toLongLong(), 1);
    EXPECT_TRUE(TRowReader::Read(raw.Db(), "SELECT 1 WHERE 0", 1, {0}).empty());
}

TEST_F(RowReaderTest, ReportsTheDatabasesMessage) {
    try {
        TRowReader::Read(raw.Db(), "SELECT * FROM \"Nowhere\"", 1, {0});
        FAIL() << "no error";
    } catch (const ECatalogError& e) {
        EXPECT_NE(std::string(e.what()).find("Nowhere"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace tolvane
