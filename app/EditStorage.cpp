#include "app/EditStorage.h"

#include <QDeadlineTimer>
#include <QThread>
#include <iostream>

#include "app/CatalogError.h"
#include "app/CheckedUpdate.h"
#include "app/EditPrompt.h"
#include "app/RecordSource.h"
#include "app/RecoveryFile.h"
#include "app/WriteConflict.h"

namespace tolvane {

namespace {

QString Text(const QVariant& value) {
    return value.toString();
}

std::vector<TRecoveryFile::TEntry> Entries(const TRecordSource& source) {
    std::vector<TRecoveryFile::TEntry> entries;
    const std::optional<TRecordSource::TPendingEdit> edit = source.PendingEdit();
    if (!edit) return entries;
    QString record;
    for (int f = 0; f < source.FieldCount(); ++f)
        if (source.FieldDef(f).Visible && source.FieldDef(f).Kind == TFieldKind::fkWideText) {
            // The pending record is the current one whenever an edit can be pending.
            record = source.HasRecord() ? QString::fromStdString(source.AsText(f)) : QString();
            break;
        }
    for (std::size_t i = 0; i < edit->Mine.size(); ++i)
        entries.push_back({source.Definition().Table, source.Definition().KeyField, edit->Key, record,
                           source.FieldDef(edit->Mine[i].first).Name, edit->Base[i].second,
                           edit->Mine[i].second});
    return entries;
}

} // namespace

bool TEditStorage::StoreChecked(TRecordSource& source) {
    for (;;) {
        try {
            source.Post();
            return true;
        } catch (const EWriteConflict& conflict) {
            for (const TFieldConflict& f : conflict.Fields()) {
                const TConflictChoice choice =
                    TEditPrompt::Conflict({conflict.Record(), f.Label, Text(f.Stored), Text(f.Mine)});
                if (choice == TConflictChoice::ccLater) return false;
                source.ResolveConflict(f.Field, f.Stored, choice == TConflictChoice::ccKeepMine);
            }
        }
    }
}

bool TEditStorage::StoreOnClose(const std::vector<TRecordSource*>& sources, const QString& catalogue) {
    for (;;) {
        try {
            for (TRecordSource* source : sources)
                if (source->Active() && !StoreChecked(*source)) return false;
            return true;
        } catch (const ECatalogError& e) {
            switch (TEditPrompt::StoreFailed(QString::fromUtf8(e.what()))) {
            case TStoreFailureChoice::sfRetry:
                break;
            case TStoreFailureChoice::sfKeep:
                StoreUnattended(sources, catalogue, 0);
                return true;
            case TStoreFailureChoice::sfDiscard:
                for (TRecordSource* source : sources) source->Cancel();
                return true;
            case TStoreFailureChoice::sfCancel:
                return false;
            }
        }
    }
}

int TEditStorage::StoreUnattended(const std::vector<TRecordSource*>& sources, const QString& catalogue,
                                  int budgetMs) {
    const QDeadlineTimer deadline(budgetMs);
    std::vector<TRecoveryFile::TEntry> kept;
    for (TRecordSource* source : sources) {
        if (!source->Active() || !source->Modified()) continue;
        for (;;) {
            try {
                source->Post();
                break;
            } catch (const EWriteConflict&) {
                break; // no one can decide: kept for the next start
            } catch (const ECatalogBusy&) {
                // Another writer may let go soon, a server that went away may be back.
                if (deadline.hasExpired()) break;
                QThread::msleep(200);
            } catch (const ECatalogError&) {
                break; // the file is gone or damaged: waiting will not help
            }
        }
        if (!source->Modified()) continue;
        const std::vector<TRecoveryFile::TEntry> entries = Entries(*source);
        kept.insert(kept.end(), entries.begin(), entries.end());
    }
    if (kept.empty()) return 0;
    try {
        TRecoveryFile::Append(catalogue, kept);
    } catch (const ECatalogError& e) {
        // Nowhere to keep them: the last place anyone may read them.
        std::cerr << "tolvane: " << e.what() << "; edits not stored:\n";
        for (const TRecoveryFile::TEntry& k : kept)
            std::cerr << "  " << k.Table.toStdString() << ' ' << k.Key.toString().toStdString() << ' '
                      << k.Field.toStdString() << ": " << k.New.toString().toStdString() << '\n';
    }
    for (TRecordSource* source : sources) source->Cancel();
    return static_cast<int>(kept.size());
}

} // namespace tolvane
