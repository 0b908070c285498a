#pragma once
// The questions the window asks about edits it cannot simply store: a field changed elsewhere, a
// store that failed on closing, edits kept from an earlier session. Message boxes by default;
// tests install their own answers.

#include <QString>
#include <functional>

namespace tolvane {

enum class TConflictChoice { ccKeepMine, ccKeepStored, ccLater };
// sfKeep: closes, the edits kept in the recovery file for the next start to offer.
enum class TStoreFailureChoice { sfRetry, sfKeep, sfDiscard, sfCancel };
enum class TRecoveryChoice { rcApply, rcLater, rcDiscard };

struct TConflictQuestion {
    QString Record; // the title's or episode's name
    QString Field;
    QString Stored; // what the catalogue holds now
    QString Mine;   // what the user typed
};

class TEditPrompt {
public:
    using TConflictAnswer = std::function<TConflictChoice(const TConflictQuestion&)>;
    using TStoreFailureAnswer = std::function<TStoreFailureChoice(const QString& reason)>;
    using TRecoveryAnswer = std::function<TRecoveryChoice(const QString& file, int edits)>;

    static TConflictChoice Conflict(const TConflictQuestion& question);
    static TStoreFailureChoice StoreFailed(const QString& reason);
    static TRecoveryChoice Recovery(const QString& file, int edits);

    // Each returns the answer it replaces; an empty one restores the message box.
    static TConflictAnswer SetConflictAnswer(TConflictAnswer answer);
    static TStoreFailureAnswer SetStoreFailureAnswer(TStoreFailureAnswer answer);
    static TRecoveryAnswer SetRecoveryAnswer(TRecoveryAnswer answer);
};

} // namespace tolvane
