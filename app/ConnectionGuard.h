#pragma once
// What every connection to a catalogue is set to before its first read. A catalogue file may
// carry code of its own — triggers, views calling functions with side effects — and our writes
// must do exactly what they say: triggers are off, the schema is not trusted to call anything
// but harmless functions, the schema cannot be written by accident, and every statement is
// bounded in time.

#include <QSqlDatabase>
#include <memory>

namespace tolvane {

class TStatementBound;

class TConnectionGuard {
public:
    // Sets up the open connection; throws ECatalogError when SQLite refuses a setting.
    explicit TConnectionGuard(const QSqlDatabase& db);
    // Lets go of the connection; it must still be open.
    ~TConnectionGuard();
    TConnectionGuard(const TConnectionGuard&) = delete;
    TConnectionGuard& operator=(const TConnectionGuard&) = delete;

private:
    std::unique_ptr<TStatementBound> bound_;
};

} // namespace tolvane
