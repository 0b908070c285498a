#pragma once
// The tables of a Microsoft Access (Jet 3 or 4) file, read with mdbtools. Text arrives as UTF-8:
// Jet 4 stores Unicode, and a Jet 3 file's text is converted from the code page its header names.

#include "app/import/TableSource.h"

namespace tolvane {

class TMdbTableSource : public TTableSource {
public:
    // Throws ECatalogError "<file>: <reason>" for a missing file or one that is not an Access file.
    explicit TMdbTableSource(const QString& path);
    ~TMdbTableSource() override;
    TMdbTableSource(const TMdbTableSource&) = delete;
    TMdbTableSource& operator=(const TMdbTableSource&) = delete;

    QStringList Tables() override;
    QStringList Columns(const QString& table) override;
    long long RowCount(const QString& table) override;
    void ReadRows(const QString& table, const std::function<void(const TRow&)>& row) override;

private:
    QString path_;
    void* handle_ = nullptr; // MdbHandle*: mdbtools' header stays out of this one
};

} // namespace tolvane
