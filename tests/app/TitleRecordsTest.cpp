// Whole-title writes of the window's title commands, on a file and on a server.
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "app/CatalogStore.h"
#include "app/TitleRecords.h"

namespace tolvane {
namespace {

class TitleRecordsTest : public ::testing::TestWithParam<test::TEngine> {};

TOLVANE_ON_BOTH_ENGINES(TitleRecordsTest);

TEST_P(TitleRecordsTest, ARenameStoresOnlyOverTheNameItStartedFrom) {
    test::TTestCatalog catalogue(GetParam());
    const auto id = catalogue.AddTitle("Nana");
    TCatalogStore store;
    store.Open(catalogue.Path());
    const QString name = QString::fromUtf8("Название");
    EXPECT_FALSE(TTitleRecords::Rename(store.Database(), id, "Nama", "Nana 2"));
    EXPECT_EQ(catalogue.TitleField(id, name).toString(), "Nana");
    EXPECT_TRUE(TTitleRecords::Rename(store.Database(), id, "Nana", "Nana 2"));
    EXPECT_EQ(catalogue.TitleField(id, name).toString(), "Nana 2");
}

} // namespace
} // namespace tolvane
