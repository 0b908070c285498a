#include "app/window/TitleCommands.h"

#include "app/CatalogError.h"
#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"
#include "app/TitleRecords.h"
#include "app/window/AddFolderJob.h"
#include "app/window/AddFolderQuestion.h"
#include "app/window/FileChooser.h"
#include "app/window/MainWindow.h"
#include "app/window/TitleNameEditor.h"
#include "app/window/TitleUndo.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace tolvane {

namespace {
constexpr int kSkippedShown = 20;
const QString kNewTitle = "New title";

TCatalogForm& WritableForm(TMainWindow& window) {
    TCatalogForm* form = window.Form();
    if (!form || !form->Conn.IsOpen()) throw ECatalogError("no catalogue is open");
    if (form->ReadOnly()) throw ECatalogError(form->Conn.Failure("opened read-only"));
    return *form;
}
} // namespace

void TTitleCommands::AddFolder() {
    WritableForm(window_);
    const QString folder = TFileChooser::Ask(&window_, TFileQuestion::fqFolder, "Add Folder");
    if (!folder.isEmpty()) AddFolderAt(folder);
}

void TTitleCommands::AddFolderAt(const QString& folder) {
    TCatalogForm& form = WritableForm(window_);
    const std::optional<TAddFolderChoice> choice =
        TAddFolderQuestion::Ask(&window_, folder, form.ShownTitleName());
    if (!choice) return;
    const std::optional<TScanResult> result =
        TAddFolderJob::Run(&window_, {folder, form.Conn.Path(), choice->Title, choice->Type});
    if (!result) return;
    if (result->NewTitle)
        window_.History().push(
            new TNewTitleStep(window_, TTitleRecords::Snapshot(form.Conn.Database(), result->TitleId), "Add Folder"));
    else if (!result->AddedIds.empty())
        window_.History().push(new TAddEpisodesStep(window_, result->TitleId, result->AddedIds));
    // Each step lets the window paint before the next: a title of many episodes takes a while
    // to list, and listing it twice is spared when the refresh already shows it.
    const bool refreshed = form.CheckForChanges();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!refreshed || form.ShownTitleId() != result->TitleId) form.SelectTitle(result->TitleId);
    if (!result->Skipped.isEmpty())
        TErrorReporter::Report(
            QString("%1 added to \"%2\"; %3 files could not be added:\n")
                .arg(result->Added)
                .arg(choice->Title)
                .arg(result->Skipped.size()) +
            result->Skipped.mid(0, kSkippedShown).join('\n') +
            (result->Skipped.size() > kSkippedShown ? "\n…" : ""));
}

void TTitleCommands::NewTitle() {
    TCatalogForm& form = WritableForm(window_);
    const std::int64_t id = TTitleRecords::Insert(form.Conn.Database(), kNewTitle);
    window_.History().push(new TNewTitleStep(window_, TTitleRecords::Snapshot(form.Conn.Database(), id)));
    form.RefreshFromCatalog();
    if (!form.SelectTitle(id)) return;
    new TTitleNameEditor(form, id, kNewTitle, [this, id](const QString& from, const QString& to) {
        window_.History().push(new TRenameTitleStep(window_, id, from, to));
    });
}

void TTitleCommands::DeleteTitle() {
    TCatalogForm& form = WritableForm(window_);
    const std::int64_t id = form.ShownTitleId();
    const QString name = form.ShownTitleName();
    if (id == 0 || name.isNull()) throw ECatalogError("no title is shown");
    const int episodes = TTitleRecords::EpisodeCount(form.Conn.Database(), id);
    const QString question =
        episodes == 0 ? QString("Delete the title \"%1\"?").arg(name)
                      : QString("Delete the title \"%1\" and its %2 episode%3?")
                            .arg(name)
                            .arg(episodes)
                            .arg(episodes == 1 ? "" : "s");
    QMessageBox box(QMessageBox::Question, "Delete Title", question, QMessageBox::Yes | QMessageBox::No, &window_);
    box.setObjectName("DeleteTitleQuestion");
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes) return;
    TTitleSnapshot deleted = TTitleRecords::Snapshot(form.Conn.Database(), id);
    TTitleRecords::Delete(form.Conn.Database(), id);
    window_.History().push(new TDeleteTitleStep(window_, std::move(deleted)));
    form.RefreshFromCatalog();
    form.GV->SetCurrentRow(0);
}

} // namespace tolvane
