#pragma once
// Tables read row by row from a database of another kind: what the import needs of the source.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

namespace tolvane {

class TTableSource {
public:
    // A row's values in column order: null, a whole number (qlonglong), a double or text.
    using TRow = std::vector<QVariant>;

    virtual ~TTableSource() = default;

    virtual QStringList Tables() = 0;
    // The table's column names; throws ECatalogError for a table the source does not have.
    virtual QStringList Columns(const QString& table) = 0;
    // How many rows the table holds as far as the source knows without reading them; -1: unknown.
    virtual long long RowCount(const QString& /*table*/) { return -1; }
    // Calls row for each row in stored order.
    virtual void ReadRows(const QString& table, const std::function<void(const TRow&)>& row) = 0;
};

} // namespace tolvane
