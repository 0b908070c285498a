#pragma once
// Holds SQLite's page cache of a connection small while a whole table is read once: every page
// is read a single time, so the cache would only keep the table's pages (up to its 2 MB) beside
// the rows made of them. The cache's size is put back afterwards.

struct sqlite3;

namespace tolvane {

class TPageCacheLimit {
public:
    // Null: nothing to hold (a connection not SQLite's).
    TPageCacheLimit(sqlite3* handle, int kibibytes);
    ~TPageCacheLimit();
    TPageCacheLimit(const TPageCacheLimit&) = delete;
    TPageCacheLimit& operator=(const TPageCacheLimit&) = delete;

    // The connection's cache size as its pragma answers (pages, or KiB when negative); 0 without one.
    static int CacheSize(sqlite3* handle);

private:
    static bool SetCacheSize(sqlite3* handle, int size);

    sqlite3* handle_ = nullptr;
    int before_ = 0;
};

} // namespace tolvane
