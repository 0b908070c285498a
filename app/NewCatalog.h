#pragma once
// A catalogue being written from scratch, in one transaction: a new file, or an empty database on
// a server. A file is written under a temporary name beside its own and takes its name when
// committed, so that a failure leaves nothing behind and nothing existing is ever overwritten; a
// server's database must hold no tables yet (or, where allowed, an empty catalogue), and a
// failure rolls back everything.

#include <functional>

#include <QSqlDatabase>
#include <QString>

#include "app/CatalogLocation.h"

namespace tolvane {

class TNewCatalog {
public:
    enum class TAccept {
        acEmptyDatabase,  // no tables at all
        acEmptyCatalogue, // or a catalogue without titles and episodes
    };

    // A new catalogue at `target`: the tables and the view, and what `fill` adds, in one
    // transaction. Throws ECatalogError "<target>: <reason>"; nothing is left behind then.
    static void Create(const QString& target, const std::function<void(QSqlDatabase&)>& fill = {});

    // Opens the target and begins the transaction; refuses a target that exists or holds
    // anything, before anything is written. Throws ECatalogError "<target>: <reason>".
    explicit TNewCatalog(const QString& target, TAccept accept = TAccept::acEmptyDatabase);
    // Rolls back and removes what was written unless committed.
    ~TNewCatalog();
    TNewCatalog(const TNewCatalog&) = delete;
    TNewCatalog& operator=(const TNewCatalog&) = delete;

    QSqlDatabase Database() const;
    // Whether the target holds the catalogue's tables already (an empty catalogue was accepted).
    bool HasSchema() const { return hasSchema_; }
    bool OnServer() const { return where_.IsServer(); }
    // The target as it may be shown (a URI without its password).
    QString Shown() const { return where_.Display(); }
    QString Failure(const QString& reason) const { return Shown() + ": " + reason; }

    // Ends the transaction without writing anything, at once after a statement failed: a
    // server frees the statements still prepared only outside the failed transaction.
    void RollBack();

    // Commits (a server's new keys then continue after the largest written); throws
    // ECatalogError "<target>: <reason>" and leaves nothing behind when it fails.
    void Commit();

private:
    void OpenFile();
    void OpenServer(TAccept accept);
    void Discard();

    TCatalogLocation where_;
    QString connection_;
    QString part_; // the file being written
    bool hasSchema_ = false;
    bool open_ = false;
};

} // namespace tolvane
