#include "app/PageCacheLimit.h"

#include <sqlite3.h>

#include <string>

namespace tolvane {

TPageCacheLimit::TPageCacheLimit(sqlite3* handle, int kibibytes) {
    if (!handle) return;
    const int before = CacheSize(handle);
    // Only ever smaller: a cache the user set small stays as it is.
    const bool smaller = before > 0 || before < -kibibytes;
    if (before != 0 && smaller && SetCacheSize(handle, -kibibytes)) {
        handle_ = handle;
        before_ = before;
    }
}

TPageCacheLimit::~TPageCacheLimit() {
    if (handle_) SetCacheSize(handle_, before_);
}

int TPageCacheLimit::CacheSize(sqlite3* handle) {
    sqlite3_stmt* stmt = nullptr;
    int size = 0;
    if (sqlite3_prepare_v2(handle, "PRAGMA cache_size", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        size = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return size;
}

bool TPageCacheLimit::SetCacheSize(sqlite3* handle, int size) {
    const std::string sql = "PRAGMA cache_size = " + std::to_string(size);
    return sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace tolvane
