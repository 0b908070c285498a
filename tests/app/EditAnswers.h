#pragma once
// The window's questions about edits answered by the test, and its reports collected, instead of
// message boxes.

#include <QList>
#include <QStringList>
#include <functional>
#include <vector>

#include "app/EditPrompt.h"
#include "app/ErrorReporter.h"

namespace tolvane::test {

// Answers and reports, collected instead of shown.
class TAnswers {
public:
    TAnswers() {
        previousSink_ = TErrorReporter::SetSink([this](const QString& m) { Errors << m; });
        previousConflict_ = TEditPrompt::SetConflictAnswer([this](const TConflictQuestion& q) {
            Questions.push_back(q);
            return Conflict;
        });
        previousFailure_ = TEditPrompt::SetStoreFailureAnswer([this](const QString& reason) {
            Failures << reason;
            return OnFailure ? OnFailure() : TStoreFailureChoice::sfCancel;
        });
        previousRecovery_ = TEditPrompt::SetRecoveryAnswer([this](const QString&, int edits) {
            RecoveryOffers << edits;
            return Recovery;
        });
    }
    ~TAnswers() {
        TErrorReporter::SetSink(std::move(previousSink_));
        TEditPrompt::SetConflictAnswer(std::move(previousConflict_));
        TEditPrompt::SetStoreFailureAnswer(std::move(previousFailure_));
        TEditPrompt::SetRecoveryAnswer(std::move(previousRecovery_));
    }

    TConflictChoice Conflict = TConflictChoice::ccLater;
    std::function<TStoreFailureChoice()> OnFailure;
    TRecoveryChoice Recovery = TRecoveryChoice::rcApply;
    std::vector<TConflictQuestion> Questions;
    QStringList Failures;
    QStringList Errors;
    QList<int> RecoveryOffers;

private:
    TErrorReporter::TSink previousSink_;
    TEditPrompt::TConflictAnswer previousConflict_;
    TEditPrompt::TStoreFailureAnswer previousFailure_;
    TEditPrompt::TRecoveryAnswer previousRecovery_;
};

} // namespace tolvane::test
