#include "app/window/TitleUndo.h"

#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"
#include "app/window/MainWindow.h"

namespace tolvane {

namespace {

// The snapshot's title as stored now, or nothing.
std::optional<TTitleSnapshot> StoredNow(const QSqlDatabase& db, std::int64_t id) {
    try {
        return TTitleRecords::Snapshot(db, id);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool Same(const TTitleSnapshot& a, const TTitleSnapshot& b) {
    return a.Title == b.Title && a.Episodes == b.Episodes;
}

QString Quoted(const TTitleSnapshot& s, const QString& fallback = "the title") {
    const int at = s.TitleColumns.indexOf(QString::fromUtf8("Название"));
    return at < 0 ? fallback : "\"" + s.Title.value(at).toString() + "\"";
}

} // namespace

void TTitleStep::undo() {
    Run(true);
}

void TTitleStep::redo() {
    // Pushed once done: the stack's first redo has nothing to do.
    if (done_) {
        done_ = false;
        return;
    }
    Run(false);
}

void TTitleStep::Run(bool undo) {
    TCatalogForm* form = window_.Form();
    QString refused = "no catalogue is open";
    const bool ran = TErrorReporter::Guard([&] {
        if (!form || !form->Conn.IsOpen()) return;
        const QSqlDatabase db = form->Conn.Database();
        refused = undo ? Undo(db) : Redo(db);
    });
    if (!ran || !refused.isEmpty()) {
        if (ran) TErrorReporter::Report(QString("Cannot %1 \"%2\": %3.").arg(undo ? "undo" : "redo", text(), refused));
        // Nothing of it is left to undo or redo.
        setObsolete(true);
        return;
    }
    form->RefreshFromCatalog();
    if (!form->SelectTitle(Shown())) form->GV->SetCurrentRow(0);
}

TCatalogStore& TTitleStep::Store() const {
    return window_.Form()->Conn;
}

TFieldEditStep::TFieldEditStep(TMainWindow& window, std::int64_t shown, QString table, QString keyField,
                               QVariant key, std::vector<TCheckedUpdate::TChange> written)
    : TTitleStep(window, "Edit " + (written.size() == 1 ? "\"" + written[0].Field + "\"" : QString("Fields"))),
      shown_(shown), table_(std::move(table)), keyField_(std::move(keyField)), key_(std::move(key)),
      written_(std::move(written)) {}

QString TFieldEditStep::Undo(const QSqlDatabase&) {
    return Write(true);
}

QString TFieldEditStep::Redo(const QSqlDatabase&) {
    return Write(false);
}

QString TFieldEditStep::Write(bool back) {
    std::vector<TCheckedUpdate::TChange> changes;
    for (const TCheckedUpdate::TChange& c : written_)
        changes.push_back(back ? TCheckedUpdate::TChange{c.Field, c.Mine, c.Base} : c);
    const std::vector<TCheckedUpdate::TStale> stale = TCheckedUpdate::Run(Store(), table_, keyField_, key_, changes);
    if (stale.empty()) return {};
    QStringList fields;
    for (const TCheckedUpdate::TStale& s : stale)
        fields << "\"" + changes[s.Change].Field + "\" was changed elsewhere (now \"" + s.Stored.toString() + "\")";
    return fields.join(", ");
}

TNewTitleStep::TNewTitleStep(TMainWindow& window, TTitleSnapshot made, const QString& text)
    : TTitleStep(window, text), made_(std::move(made)) {}

QString TNewTitleStep::Undo(const QSqlDatabase& db) {
    const std::optional<TTitleSnapshot> now = StoredNow(db, made_.Id);
    if (!now) return "it was deleted elsewhere";
    if (!Same(*now, made_)) return Quoted(*now) + " was changed elsewhere";
    TTitleRecords::Delete(db, made_.Id);
    return {};
}

QString TNewTitleStep::Redo(const QSqlDatabase& db) {
    return TTitleRecords::Restore(db, made_) ? QString() : "its key was taken elsewhere";
}

TRenameTitleStep::TRenameTitleStep(TMainWindow& window, std::int64_t id, const QString& from, const QString& to)
    : TTitleStep(window, "Rename Title"), id_(id), from_(from), to_(to) {}

QString TRenameTitleStep::Undo(const QSqlDatabase& db) {
    return TTitleRecords::Rename(db, id_, to_, from_) ? QString() : "\"" + to_ + "\" was changed or deleted elsewhere";
}

QString TRenameTitleStep::Redo(const QSqlDatabase& db) {
    return TTitleRecords::Rename(db, id_, from_, to_) ? QString()
                                                      : "\"" + from_ + "\" was changed or deleted elsewhere";
}

TAddEpisodesStep::TAddEpisodesStep(TMainWindow& window, std::int64_t title, std::vector<std::int64_t> ids)
    : TTitleStep(window, "Add Folder"), title_(title), ids_(std::move(ids)) {
    if (TCatalogForm* form = window.Form()) rows_ = TTitleRecords::Episodes(form->Conn.Database(), ids_, columns_);
}

QString TAddEpisodesStep::Undo(const QSqlDatabase& db) {
    return TTitleRecords::DeleteEpisodes(db, ids_, rows_) ? QString() : "its episodes were changed elsewhere";
}

QString TAddEpisodesStep::Redo(const QSqlDatabase& db) {
    TTitleRecords::InsertEpisodes(db, columns_, rows_);
    return {};
}

TDeleteTitleStep::TDeleteTitleStep(TMainWindow& window, TTitleSnapshot deleted)
    : TTitleStep(window, "Delete Title"), deleted_(std::move(deleted)) {}

QString TDeleteTitleStep::Undo(const QSqlDatabase& db) {
    return TTitleRecords::Restore(db, deleted_) ? QString() : "its key was taken elsewhere";
}

QString TDeleteTitleStep::Redo(const QSqlDatabase& db) {
    const std::optional<TTitleSnapshot> now = StoredNow(db, deleted_.Id);
    if (!now) return "it was deleted elsewhere";
    if (!Same(*now, deleted_)) return Quoted(*now) + " was changed elsewhere";
    TTitleRecords::Delete(db, deleted_.Id);
    return {};
}

} // namespace tolvane
