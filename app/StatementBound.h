#pragma once
// A bound on how long one statement of a connection may run. A catalogue may define its totals
// view as a query that never ends; a statement that runs past the bound is stopped, and the
// failure names what it read ("the view "Rjk" does not finish within 10 s"). A request to end the
// program (a termination signal) stops a statement that has run for more than a moment, so that
// the request is answered while the catalogue is being read.

#include <QString>
#include <chrono>
#include <string>

struct sqlite3;

namespace tolvane {

class TStatementBound {
public:
    // Watches every statement of the connection until destroyed (before the connection closes).
    explicit TStatementBound(sqlite3* db);
    ~TStatementBound();
    TStatementBound(const TStatementBound&) = delete;
    TStatementBound& operator=(const TStatementBound&) = delete;

    // The bound of every connection: 10 s unless set.
    static std::chrono::milliseconds Limit();
    static void SetLimit(std::chrono::milliseconds limit);

    // The bound watching a connection, or null.
    static TStatementBound* Of(sqlite3* db);

    // Why the connection's last statement was stopped, in one line, or an empty text when it
    // was not stopped.
    QString StopReason();

private:
    enum class TStop { stNone, stTooLong, stEnding };

    static int OnProgress(void* self);
    static int OnTrace(unsigned type, void* self, void* statement, void* text);
    // "the view "Rjk"", "the table "Sp" and the view "Rjk"": what a statement reads by name.
    QString Objects(const std::string& sql);
    QString ObjectType(const QString& name);

    sqlite3* db_;
    std::chrono::steady_clock::time_point started_;
    std::string sql_; // of the statement last started
    TStop stop_ = TStop::stNone;
    bool explaining_ = false;
};

} // namespace tolvane
