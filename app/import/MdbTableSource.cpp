#include "app/import/MdbTableSource.h"

#include <exception>

#include "app/CatalogError.h"
#include "app/FormatModuleLoader.h"

namespace tolvane {

namespace {

void Check(bool done, const QString& error) {
    if (!done) throw ECatalogError(error);
}

} // namespace

TMdbTableSource::TMdbTableSource(const QString& path) {
    QString error;
    reader_.reset(TFormatModuleLoader::Get().OpenAccess(path, error));
    Check(reader_ != nullptr, error);
}

TMdbTableSource::~TMdbTableSource() = default;

QStringList TMdbTableSource::Tables() {
    QStringList names;
    QString error;
    Check(reader_->Tables(names, error), error);
    return names;
}

QStringList TMdbTableSource::Columns(const QString& table) {
    QStringList names;
    QString error;
    Check(reader_->Columns(table, names, error), error);
    return names;
}

long long TMdbTableSource::RowCount(const QString& table) {
    long long count = -1;
    QString error;
    Check(reader_->RowCount(table, count, error), error);
    return count;
}

void TMdbTableSource::ReadRows(const QString& table, const std::function<void(const TRow&)>& row) {
    // What the caller throws for a row (a cancelled import, a failed write) stops the reading and
    // is thrown again here, on this side of the module.
    std::exception_ptr thrown;
    const auto sink = [&](const TRow& values) {
        try {
            row(values);
            return true;
        } catch (...) {
            thrown = std::current_exception();
            return false;
        }
    };
    QString error;
    const bool done = reader_->ReadRows(table, sink, error);
    if (thrown) std::rethrow_exception(thrown);
    Check(done, error);
}

} // namespace tolvane
