#include <QSqlQuery>
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "app/CatalogStore.h"
#include "app/PageCacheLimit.h"
#include "app/RecordSource.h"
#include "app/SqliteHandle.h"

namespace tolvane {
namespace {

// While held, a connection's cache is at most the limit; afterwards, and after a source read its
// whole table under it, the cache is what it was.
TEST(PageCacheLimitTest, HoldsTheCacheSmallWhileHeldOnly) {
    struct TCase {
        int before;
        int held;
    };
    const TCase cases[] = {{-2000, -256}, {-100, -100}, {500, -256}, {-256, -256}};
    test::TTestCatalog catalogue;
    catalogue.AddTitle("Nana");
    TCatalogStore store;
    store.Open(catalogue.Path());
    sqlite3* handle = SqliteHandle(store.Database());
    ASSERT_NE(handle, nullptr);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.before);
        QSqlQuery(store.Database()).exec(QString("PRAGMA cache_size = %1").arg(c.before));
        ASSERT_EQ(TPageCacheLimit::CacheSize(handle), c.before);
        {
            const TPageCacheLimit limit(handle, 256);
            EXPECT_EQ(TPageCacheLimit::CacheSize(handle), c.held);
        }
        EXPECT_EQ(TPageCacheLimit::CacheSize(handle), c.before);
        TRecordSource titles{TCatalogSchema::Titles()};
        titles.Open(store);
        EXPECT_EQ(titles.RecordCount(), 1);
        EXPECT_EQ(TPageCacheLimit::CacheSize(handle), c.before);
    }
}

} // namespace
} // namespace tolvane
