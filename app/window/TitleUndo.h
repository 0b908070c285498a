#pragma once
// The window's changes to titles as steps of its undo history: a new title, a name given in place,
// a deleted title. Each step undone or redone is a checked write: when the title was changed
// elsewhere meanwhile, the user is told and nothing is overwritten (the step leaves the history).

#include <QUndoCommand>

#include "app/CheckedUpdate.h"
#include "app/TitleRecords.h"

namespace tolvane {

class TMainWindow;

// A step whose first doing has already happened when it is pushed.
class TTitleStep : public QUndoCommand {
public:
    TTitleStep(TMainWindow& window, const QString& text) : QUndoCommand(text), window_(window) {}
    void undo() final;
    void redo() final;

protected:
    // Each returns why it could not be done, or an empty text; throws ECatalogError on failure.
    virtual QString Undo(const QSqlDatabase& db) = 0;
    virtual QString Redo(const QSqlDatabase& db) = 0;
    virtual std::int64_t Shown() const = 0;
    // The shown catalogue's store.
    TCatalogStore& Store() const;

private:
    void Run(bool undo);

    TMainWindow& window_;
    bool done_ = true;
};

class TNewTitleStep : public TTitleStep {
public:
    TNewTitleStep(TMainWindow& window, TTitleSnapshot made, const QString& text = "New Title");

protected:
    QString Undo(const QSqlDatabase& db) override;
    QString Redo(const QSqlDatabase& db) override;
    std::int64_t Shown() const override { return made_.Id; }

private:
    TTitleSnapshot made_;
};

class TRenameTitleStep : public TTitleStep {
public:
    TRenameTitleStep(TMainWindow& window, std::int64_t id, const QString& from, const QString& to);

protected:
    QString Undo(const QSqlDatabase& db) override;
    QString Redo(const QSqlDatabase& db) override;
    std::int64_t Shown() const override { return id_; }

private:
    std::int64_t id_;
    QString from_, to_;
};

// Fields of one record stored from the window's boxes or episode cells.
class TFieldEditStep : public TTitleStep {
public:
    TFieldEditStep(TMainWindow& window, std::int64_t shown, QString table, QString keyField, QVariant key,
                   std::vector<TCheckedUpdate::TChange> written);

protected:
    QString Undo(const QSqlDatabase& db) override;
    QString Redo(const QSqlDatabase& db) override;
    std::int64_t Shown() const override { return shown_; }

private:
    // Writes each field's `to` where it still holds its `from`.
    QString Write(bool back);

    std::int64_t shown_;
    QString table_, keyField_;
    QVariant key_;
    std::vector<TCheckedUpdate::TChange> written_;
};

// Episodes a folder added to a title that was there before.
class TAddEpisodesStep : public TTitleStep {
public:
    TAddEpisodesStep(TMainWindow& window, std::int64_t title, std::vector<std::int64_t> ids);

protected:
    QString Undo(const QSqlDatabase& db) override;
    QString Redo(const QSqlDatabase& db) override;
    std::int64_t Shown() const override { return title_; }

private:
    std::int64_t title_;
    std::vector<std::int64_t> ids_;
    QStringList columns_;
    QList<QVariantList> rows_;
};

class TDeleteTitleStep : public TTitleStep {
public:
    TDeleteTitleStep(TMainWindow& window, TTitleSnapshot deleted);

protected:
    QString Undo(const QSqlDatabase& db) override;
    QString Redo(const QSqlDatabase& db) override;
    std::int64_t Shown() const override { return deleted_.Id; }

private:
    TTitleSnapshot deleted_;
};

} // namespace tolvane
