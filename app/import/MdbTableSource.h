#pragma once
// The tables of a Microsoft Access (Jet 3 or 4) file, read through the formats module
// (mdbtools), which the first source loads. Text arrives as UTF-8.

#include <memory>

#include "app/import/TableSource.h"

namespace tolvane {

class TAccessReader;

class TMdbTableSource : public TTableSource {
public:
    // Throws ECatalogError "<file>: <reason>" for a missing file or one that is not an Access file,
    // or naming the formats module when it cannot be loaded.
    explicit TMdbTableSource(const QString& path);
    ~TMdbTableSource() override;
    TMdbTableSource(const TMdbTableSource&) = delete;
    TMdbTableSource& operator=(const TMdbTableSource&) = delete;

    QStringList Tables() override;
    QStringList Columns(const QString& table) override;
    long long RowCount(const QString& table) override;
    void ReadRows(const QString& table, const std::function<void(const TRow&)>& row) override;

private:
    std::unique_ptr<TAccessReader> reader_;
};

} // namespace tolvane
