#include "app/EditPrompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tolvane {

namespace {

TEditPrompt::TConflictAnswer& ConflictAnswer() {
    static TEditPrompt::TConflictAnswer answer;
    return answer;
}
TEditPrompt::TStoreFailureAnswer& StoreFailureAnswer() {
    static TEditPrompt::TStoreFailureAnswer answer;
    return answer;
}
TEditPrompt::TRecoveryAnswer& RecoveryAnswer() {
    static TEditPrompt::TRecoveryAnswer answer;
    return answer;
}

QString Shown(const QString& value) {
    return value.isEmpty() ? QString("(empty)") : "\"" + value + "\"";
}

template <typename T>
T Replace(T& slot, T answer) {
    T previous = std::move(slot);
    slot = std::move(answer);
    return previous;
}

} // namespace

TConflictChoice TEditPrompt::Conflict(const TConflictQuestion& q) {
    if (ConflictAnswer()) return ConflictAnswer()(q);
    QMessageBox box(QMessageBox::Warning, "Tolvane",
                    "\"" + q.Field + "\" of \"" + q.Record + "\" was changed elsewhere while you edited it.",
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setInformativeText("Stored now: " + Shown(q.Stored) + "\nYours: " + Shown(q.Mine) +
                           "\n\nWhich one should the catalogue keep?");
    QPushButton* mine = box.addButton("Keep mine", QMessageBox::AcceptRole);
    QPushButton* stored = box.addButton("Keep stored", QMessageBox::DestructiveRole);
    // Deciding later loses nothing: the typed text stays in its box.
    QPushButton* later = box.addButton("Decide later", QMessageBox::RejectRole);
    box.setDefaultButton(later);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == mine) return TConflictChoice::ccKeepMine;
    if (box.clickedButton() == stored) return TConflictChoice::ccKeepStored;
    return TConflictChoice::ccLater;
}

TStoreFailureChoice TEditPrompt::StoreFailed(const QString& reason) {
    if (StoreFailureAnswer()) return StoreFailureAnswer()(reason);
    QMessageBox box(QMessageBox::Warning, "Tolvane", "Your edits could not be stored.", QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setInformativeText(reason +
                           "\n\nRetry stores them now; Keep closes and offers them again at the next start; "
                           "Discard closes without them.");
    QPushButton* retry = box.addButton(QMessageBox::Retry);
    QPushButton* keep = box.addButton("Keep for next start", QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QMessageBox::Discard);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(retry);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == retry) return TStoreFailureChoice::sfRetry;
    if (box.clickedButton() == keep) return TStoreFailureChoice::sfKeep;
    if (box.clickedButton() == discard) return TStoreFailureChoice::sfDiscard;
    return TStoreFailureChoice::sfCancel;
}

TRecoveryChoice TEditPrompt::Recovery(const QString& file, int edits) {
    if (RecoveryAnswer()) return RecoveryAnswer()(file, edits);
    QMessageBox box(QMessageBox::Question, "Tolvane",
                    QString("%1 edit(s) of an earlier session could not be stored and were kept in %2.")
                        .arg(edits)
                        .arg(file),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setInformativeText("Apply stores them now (a field changed since is asked about first).");
    QPushButton* apply = box.addButton("Apply", QMessageBox::AcceptRole);
    QPushButton* later = box.addButton("Later", QMessageBox::RejectRole);
    QPushButton* discard = box.addButton(QMessageBox::Discard);
    box.setDefaultButton(apply);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == apply) return TRecoveryChoice::rcApply;
    if (box.clickedButton() == discard) return TRecoveryChoice::rcDiscard;
    return TRecoveryChoice::rcLater;
}

TEditPrompt::TConflictAnswer TEditPrompt::SetConflictAnswer(TConflictAnswer answer) {
    return Replace(ConflictAnswer(), std::move(answer));
}
TEditPrompt::TStoreFailureAnswer TEditPrompt::SetStoreFailureAnswer(TStoreFailureAnswer answer) {
    return Replace(StoreFailureAnswer(), std::move(answer));
}
TEditPrompt::TRecoveryAnswer TEditPrompt::SetRecoveryAnswer(TRecoveryAnswer answer) {
    return Replace(RecoveryAnswer(), std::move(answer));
}

} // namespace tolvane
