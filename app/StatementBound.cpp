#include "app/StatementBound.h"

#include <QStringList>
#include <atomic>
#include <mutex>
#include <sqlite3.h>
#include <unordered_map>

#include "app/TerminationSignals.h"

namespace tolvane {

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Virtual machine steps between two looks at the clock: some microseconds of work.
constexpr int kStepsBetweenLooks = 4096;
// A statement younger than this finishes even when the program is asked to end: a write that
// would otherwise be cut is done before the request is answered.
constexpr milliseconds kMomentBeforeEnding{200};

std::atomic<long long> gLimit{10000};

std::mutex gMutex;
std::unordered_map<sqlite3*, TStatementBound*>& Bounds() {
    static std::unordered_map<sqlite3*, TStatementBound*> bounds;
    return bounds;
}

QString Seconds(milliseconds span) {
    return QString::number(double(span.count()) / 1000.0, 'g', 3) + " s";
}

// Collects the tables and views a statement names itself, not those a view reads in turn.
int CollectRead(void* names, int action, const char* table, const char*, const char*, const char* inner) {
    if (action == SQLITE_READ && table && !inner) {
        auto* list = static_cast<QStringList*>(names);
        const QString name = QString::fromUtf8(table);
        if (!list->contains(name)) *list << name;
    }
    return SQLITE_OK;
}

} // namespace

TStatementBound::TStatementBound(sqlite3* db) : db_(db) {
    {
        std::lock_guard lock(gMutex);
        Bounds()[db_] = this;
    }
    sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &TStatementBound::OnTrace, this);
    sqlite3_progress_handler(db_, kStepsBetweenLooks, &TStatementBound::OnProgress, this);
}

TStatementBound::~TStatementBound() {
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    sqlite3_trace_v2(db_, 0, nullptr, nullptr);
    std::lock_guard lock(gMutex);
    Bounds().erase(db_);
}

milliseconds TStatementBound::Limit() {
    return milliseconds(gLimit.load());
}

void TStatementBound::SetLimit(milliseconds limit) {
    gLimit = limit.count();
}

TStatementBound* TStatementBound::Of(sqlite3* db) {
    std::lock_guard lock(gMutex);
    const auto it = Bounds().find(db);
    return it == Bounds().end() ? nullptr : it->second;
}

int TStatementBound::OnTrace(unsigned type, void* self, void* statement, void* text) {
    auto* bound = static_cast<TStatementBound*>(self);
    // A trigger's part of a statement ("-- TRIGGER name") is no new statement.
    const char* sql = static_cast<const char*>(text);
    if (type != SQLITE_TRACE_STMT || bound->explaining_ || (sql && sql[0] == '-' && sql[1] == '-')) return 0;
    bound->started_ = steady_clock::now();
    bound->stop_ = TStop::stNone;
    const char* original = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
    bound->sql_.assign(original ? original : "");
    return 0;
}

int TStatementBound::OnProgress(void* self) {
    auto* bound = static_cast<TStatementBound*>(self);
    if (bound->explaining_) return 0;
    const auto ran = steady_clock::now() - bound->started_;
    if (ran >= Limit()) {
        bound->stop_ = TStop::stTooLong;
        return 1;
    }
    if (ran >= kMomentBeforeEnding && TTerminationSignals::Unanswered()) {
        bound->stop_ = TStop::stEnding;
        return 1;
    }
    return 0;
}

QString TStatementBound::StopReason() {
    if (stop_ == TStop::stNone) return {};
    const TStop stop = stop_;
    const std::string sql = sql_;
    explaining_ = true;
    QString objects = Objects(sql);
    explaining_ = false;
    if (objects.isEmpty()) objects = "a statement";
    if (stop == TStop::stEnding) return "reading " + objects + " was stopped: the program is asked to end";
    return objects + " does not finish within " + Seconds(Limit());
}

QString TStatementBound::Objects(const std::string& sql) {
    QStringList names;
    sqlite3_set_authorizer(db_, &CollectRead, &names);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &statement, nullptr);
    sqlite3_finalize(statement);
    sqlite3_set_authorizer(db_, nullptr, nullptr);
    QStringList described;
    for (const QString& name : names) described << "the " + ObjectType(name) + " \"" + name + "\"";
    return described.join(" and ");
}

QString TStatementBound::ObjectType(const QString& name) {
    sqlite3_stmt* statement = nullptr;
    QString type = "table";
    if (sqlite3_prepare_v2(db_, "SELECT type FROM sqlite_master WHERE name = ?", -1, &statement, nullptr) ==
        SQLITE_OK) {
        const QByteArray utf8 = name.toUtf8();
        sqlite3_bind_text(statement, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(statement) == SQLITE_ROW)
            type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    return type;
}

} // namespace tolvane
