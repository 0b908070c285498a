#include "app/formats/MdbReader.h"

#include <QFileInfo>
#include <cstdlib>
#include <memory>

// glib carries C++ parts of its own: it must come in before mdbtools' header wraps everything it
// includes in extern "C".
#include <glib.h>
#include <mdbtools.h>

#include "app/CatalogError.h"
#include "app/formats/LibraryOutput.h"

namespace tolvane {

namespace {

MdbHandle* Handle(void* handle) {
    return static_cast<MdbHandle*>(handle);
}

struct TTableCloser {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using TTablePtr = std::unique_ptr<MdbTableDef, TTableCloser>;

QVariant Value(const MdbColumn& column, const char* text, int length) {
    if (length <= 0) return {};
    const QString value = QString::fromUtf8(text, length);
    bool ok = false;
    switch (column.col_type) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_BOOL: {
        const qlonglong v = value.toLongLong(&ok);
        return ok ? QVariant(v) : QVariant(value);
    }
    case MDB_FLOAT:
    case MDB_DOUBLE: {
        const double v = value.toDouble(&ok);
        return ok ? QVariant(v) : QVariant(value);
    }
    default:
        return value;
    }
}

[[noreturn]] void Damaged(const QString& path, const QString& detail) {
    throw ECatalogError(path + ": damaged Access file (" + detail + ")");
}

// mdbtools prints what it finds wrong with a file and carries on as if the part were empty: a
// table that is not found, rows that are not there. Whatever it printed means the file is damaged.
void CheckQuiet(const TLibraryOutput& output, const QString& path) {
    const QStringList lines = QString::fromLocal8Bit(output.Text()).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty()) Damaged(path, line.trimmed());
}

// Every object the catalogue lists starts on a page inside the file, and the file holds whole pages.
void CheckStructure(MdbHandle* mdb, const QString& path) {
    const qint64 size = QFileInfo(path).size();
    const qint64 page = mdb->fmt->pg_size;
    if (page <= 0 || size % page != 0) Damaged(path, "it does not end on a page boundary");
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (qint64(entry->table_pg) >= size / page)
            Damaged(path, QString("\"%1\" lies beyond its end").arg(QString::fromUtf8(entry->object_name)));
    }
}

// Runs work that reports failures by ECatalogError; false with the failure's text when it throws.
template <class TWork>
bool Guarded(QString& error, TWork&& work) noexcept {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    } catch (...) {
        error = "the Access file could not be read";
    }
    return false;
}

} // namespace

TMdbReader* TMdbReader::Open(const QString& path, QString& error) noexcept {
    TMdbReader* reader = nullptr;
    Guarded(error, [&] { reader = new TMdbReader(path); });
    return reader;
}

TMdbReader::TMdbReader(const QString& path) : path_(path) {
    const QFileInfo info(path);
    if (!info.exists()) throw ECatalogError(path + ": no such file");
    if (!info.isFile()) throw ECatalogError(path + ": not a file");
    // Text comes out as UTF-8 whatever the environment asks.
    setenv("MDB_ICONV", "UTF-8", 1);
    TLibraryOutput output;
    MdbHandle* mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb) throw ECatalogError(path + ": not an Access database");
    handle_ = mdb;
    try {
        if (!mdb_read_catalog(mdb, MDB_TABLE)) {
            CheckQuiet(output, path);
            throw ECatalogError(path + ": not an Access database (no table catalogue)");
        }
        CheckQuiet(output, path);
        CheckStructure(mdb, path);
    } catch (...) {
        mdb_close(mdb);
        handle_ = nullptr;
        throw;
    }
    // Jet 3 text is in the code page of the file's header; mdbtools assumes CP1252 unless told.
    if (mdb->f->jet_version == MDB_VER_JET3 && mdb->f->code_page != 0 && !std::getenv("MDB_JET3_CHARSET")) {
        const QByteArray codePage = "CP" + QByteArray::number(mdb->f->code_page);
        setenv("MDB_JET3_CHARSET", codePage.constData(), 1);
        mdb_iconv_close(mdb);
        mdb_iconv_init(mdb);
        unsetenv("MDB_JET3_CHARSET");
    }
}

TMdbReader::~TMdbReader() {
    if (handle_) mdb_close(Handle(handle_));
}

bool TMdbReader::Tables(QStringList& names, QString& error) noexcept {
    return Guarded(error, [&] {
        MdbHandle* mdb = Handle(handle_);
        names.clear();
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type == MDB_TABLE && !mdb_is_system_table(entry))
                names << QString::fromUtf8(entry->object_name);
        }
    });
}

namespace {

TTablePtr OpenTable(MdbHandle* mdb, const QString& path, const QString& name) {
    TLibraryOutput output;
    QByteArray utf8 = name.toUtf8();
    TTablePtr table(mdb_read_table_by_name(mdb, utf8.data(), MDB_TABLE));
    CheckQuiet(output, path);
    if (!table) throw ECatalogError(path + ": no table \"" + name + "\"");
    const bool columns = mdb_read_columns(table.get());
    CheckQuiet(output, path);
    if (!columns) throw ECatalogError(path + ": cannot read the columns of \"" + name + "\"");
    return table;
}

} // namespace

bool TMdbReader::Columns(const QString& table, QStringList& names, QString& error) noexcept {
    return Guarded(error, [&] {
        TTablePtr def = OpenTable(Handle(handle_), path_, table);
        names.clear();
        for (unsigned i = 0; i < def->num_cols; ++i)
            names << QString::fromUtf8(static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i))->name);
    });
}

bool TMdbReader::RowCount(const QString& table, long long& count, QString& error) noexcept {
    return Guarded(error, [&] { count = OpenTable(Handle(handle_), path_, table)->num_rows; });
}

bool TMdbReader::ReadRows(const QString& table, const TRowSink& row, QString& error) noexcept {
    return Guarded(error, [&] { Read(table, row); });
}

void TMdbReader::Read(const QString& table, const TRowSink& row) {
    MdbHandle* mdb = Handle(handle_);
    TTablePtr def = OpenTable(mdb, path_, table);
    const unsigned count = def->num_cols;
    std::vector<std::vector<char>> buffers(count, std::vector<char>(mdb->bind_size + 1));
    std::vector<int> lengths(count, 0);
    for (unsigned i = 0; i < count; ++i)
        mdb_bind_column(def.get(), static_cast<int>(i + 1), buffers[i].data(), &lengths[i]);
    TLibraryOutput output;
    mdb_rewind_table(def.get());
    TRow values(count);
    for (unsigned long n = 1; mdb_fetch_row(def.get()); ++n) {
        if (n % 4096 == 0) CheckQuiet(output, path_);
        for (unsigned i = 0; i < count; ++i) {
            const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
            values[i] = Value(*column, buffers[i].data(), lengths[i]);
        }
        if (!row(values)) return;
    }
    CheckQuiet(output, path_);
}

} // namespace tolvane
