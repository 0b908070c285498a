#pragma once
// A write refused because the stored value is no longer the one the window last read: another
// window or program changed it meanwhile. Nothing was written; the conflict names each field with
// what is stored now and what this window wanted to store.

#include <QString>
#include <QVariant>
#include <vector>

#include "app/CatalogError.h"

namespace tolvane {

struct TFieldConflict {
    int Field = -1;      // the field's index in its source
    QString Label;       // the field as the user knows it
    QVariant Stored;     // what the catalogue holds now
    QVariant Mine;       // what this window would store
};

class EWriteConflict : public ECatalogError {
public:
    EWriteConflict(QString record, std::vector<TFieldConflict> fields);

    // The record as the user knows it (a title's or an episode's name).
    const QString& Record() const { return record_; }
    const std::vector<TFieldConflict>& Fields() const { return fields_; }

private:
    static QString Message(const QString& record, const std::vector<TFieldConflict>& fields);

    QString record_;
    std::vector<TFieldConflict> fields_;
};

} // namespace tolvane
