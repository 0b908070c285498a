#pragma once
// What the formats module offers the viewer: the files of other programs, read or written with
// libraries of theirs — video files' facts (libmediainfo), the tables of Access files (mdbtools)
// and Excel workbooks (libxlsxwriter). Those libraries and what they bring (curl, GnuTLS, GLib,
// OpenSSL...) load with the module, only when a scan, an import or such an export runs. Nothing here throws: every
// failure comes back as a text. Objects made by the module are deleted by the caller; the module
// stays loaded for the rest of the process.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

#include "app/export/ExportTable.h"
#include "app/scan/MediaFacts.h"

namespace tolvane {

class TMediaReader {
public:
    virtual ~TMediaReader() = default;
    // True with the file's facts, or false with why it cannot be read.
    virtual bool Read(const QString& path, TMediaFacts& facts, QString& problem) noexcept = 0;
};

class TAccessReader {
public:
    using TRow = std::vector<QVariant>;
    // Called for each row in stored order; false stops the reading (which then succeeds).
    using TRowSink = std::function<bool(const TRow&)>;

    virtual ~TAccessReader() = default;
    // Each is true when done, or false with error set to "<file>: <reason>".
    virtual bool Tables(QStringList& names, QString& error) noexcept = 0;
    virtual bool Columns(const QString& table, QStringList& names, QString& error) noexcept = 0;
    virtual bool RowCount(const QString& table, long long& count, QString& error) noexcept = 0;
    virtual bool ReadRows(const QString& table, const TRowSink& row, QString& error) noexcept = 0;
};

struct TFormatModule {
    int Version = 0; // FormatModuleVersion when the module and the program were built together
    // A reader of its own for each thread; nothing when it cannot be made.
    TMediaReader* (*NewMediaReader)() noexcept = nullptr;
    // libmediainfo's version, as "23.04".
    QString (*MediaLibraryVersion)() noexcept = nullptr;
    // The Access file opened, or nothing with error set to "<file>: <reason>".
    TAccessReader* (*OpenAccess)(const QString& path, QString& error) noexcept = nullptr;
    // The table written as an Excel workbook at path, or false with error "<path>: <reason>".
    bool (*WriteXlsx)(const TExportTable& table, const QString& path, QString& error) noexcept = nullptr;
};

inline constexpr int FormatModuleVersion = 1;
inline constexpr char FormatModuleFile[] = "libtolvane-formats.so";
// The module's one exported function: extern "C" const TFormatModule* tolvane_format_module().
inline constexpr char FormatModuleEntry[] = "tolvane_format_module";
using TFormatModuleEntry = const TFormatModule* (*)();

} // namespace tolvane
