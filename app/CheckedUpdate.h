#pragma once
// One record's fields written only where they still hold what the writer last read: the check is
// part of the UPDATE itself, so no other writer can slip in between reading and writing.

#include <QString>
#include <QVariant>
#include <vector>

#include "app/CatalogError.h"

namespace tolvane {

class TCatalogStore;

// A write refused because another writer holds the lock longer than the wait: it may succeed later.
class ECatalogBusy : public ECatalogError {
public:
    using ECatalogError::ECatalogError;
};

class TCheckedUpdate {
public:
    struct TChange {
        QString Field;
        QVariant Base; // the value last read
        QVariant Mine; // the value to store
    };

    // Writes every change, or none: the indexes of the changes whose stored value is no longer
    // their Base come back with what is stored now, and nothing is written then. Throws
    // ECatalogError when the write fails, the record no longer exists or its key is not unique.
    struct TStale {
        int Change;
        QVariant Stored;
    };
    static std::vector<TStale> Run(TCatalogStore& store, const QString& table, const QString& keyField,
                                   const QVariant& key, const std::vector<TChange>& changes);
};

// Whether two stored values are the same value (null only equals null).
bool SameStoredValue(const QVariant& a, const QVariant& b);

} // namespace tolvane
