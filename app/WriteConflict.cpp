#include "app/WriteConflict.h"

#include <QStringList>

namespace tolvane {

EWriteConflict::EWriteConflict(QString record, std::vector<TFieldConflict> fields)
    : ECatalogError(Message(record, fields)), record_(std::move(record)), fields_(std::move(fields)) {}

QString EWriteConflict::Message(const QString& record, const std::vector<TFieldConflict>& fields) {
    QStringList names;
    for (const TFieldConflict& f : fields) names << "\"" + f.Label + "\"";
    return names.join(", ") + " of \"" + record + "\" changed elsewhere; nothing was overwritten";
}

} // namespace tolvane
