#pragma once
// The tables of a Microsoft Access (Jet 3 or 4) file, read with mdbtools. Text arrives as UTF-8:
// Jet 4 stores Unicode, and a Jet 3 file's text is converted from the code page its header names.

#include "app/FormatModule.h"

namespace tolvane {

class TMdbReader : public TAccessReader {
public:
    // The file opened, or nothing with error "<file>: <reason>" for a missing file or one that is
    // not an Access file.
    static TMdbReader* Open(const QString& path, QString& error) noexcept;
    ~TMdbReader() override;
    TMdbReader(const TMdbReader&) = delete;
    TMdbReader& operator=(const TMdbReader&) = delete;

    bool Tables(QStringList& names, QString& error) noexcept override;
    bool Columns(const QString& table, QStringList& names, QString& error) noexcept override;
    bool RowCount(const QString& table, long long& count, QString& error) noexcept override;
    bool ReadRows(const QString& table, const TRowSink& row, QString& error) noexcept override;

private:
    // Both throw ECatalogError.
    explicit TMdbReader(const QString& path);
    void Read(const QString& table, const TRowSink& row);

    QString path_;
    void* handle_ = nullptr; // MdbHandle*: mdbtools' header stays out of this one
};

} // namespace tolvane
