#include "app/StatementCache.h"

#include <sqlite3.h>

namespace tolvane {

TStatementCache::~TStatementCache() {
    Clear();
}

sqlite3_stmt* TStatementCache::Sqlite(sqlite3* db, const QString& sql) {
    if (db != sqliteDb_) {
        Clear();
        sqliteDb_ = db;
    }
    const auto found = sqlite_.find(sql);
    if (found != sqlite_.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    if (sqlite_.size() >= kMost) {
        Clear();
        sqliteDb_ = db;
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db, text.constData(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    sqlite_.emplace(sql, stmt);
    return stmt;
}

QSqlQuery* TStatementCache::Query(const QSqlDatabase& db, const QString& sql) {
    const auto found = queries_.find(sql);
    if (found != queries_.end()) {
        found->second->finish();
        return found->second.get();
    }
    if (queries_.size() >= kMost) queries_.clear();
    auto query = std::make_unique<QSqlQuery>(db);
    query->setForwardOnly(true);
    if (!query->prepare(sql)) return nullptr;
    return queries_.emplace(sql, std::move(query)).first->second.get();
}

void TStatementCache::Clear() {
    for (auto& [sql, stmt] : sqlite_) sqlite3_finalize(stmt);
    sqlite_.clear();
    sqliteDb_ = nullptr;
    queries_.clear();
}

} // namespace tolvane
