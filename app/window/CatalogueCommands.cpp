#include "app/window/CatalogueCommands.h"

#include <QFileInfo>
#include <QMessageBox>

#include "app/CatalogError.h"
#include "app/CatalogLocation.h"
#include "app/CatalogForm.h"
#include "app/DemoCatalog.h"
#include "app/ErrorReporter.h"
#include "app/NewCatalog.h"
#include "app/import/CatalogImport.h"
#include "app/window/AboutText.h"
#include "app/window/BackgroundJob.h"
#include "app/window/ExportFile.h"
#include "app/window/FileChooser.h"
#include "app/window/ImportSource.h"
#include "app/window/MainWindow.h"

namespace tolvane {

namespace {
const QString kCatalogueFilter = "Tolvane catalogue (*.db);;Any file (*)";
const QString kAccessFilter = "Access catalogue (*.mdb *.accdb);;Any file (*)";
} // namespace

QString TCatalogueCommands::NewFileName(const QString& caption) {
    QString path = TFileChooser::Ask(&window_, TFileQuestion::fqCreate, caption, kCatalogueFilter);
    if (path.isEmpty()) return {};
    if (QFileInfo(path).suffix().isEmpty()) path += ".db";
    // Nothing is replaced: a catalogue file holds what no export can give back.
    if (QFileInfo::exists(path)) throw ECatalogError(path + ": already exists; choose another name");
    return path;
}

void TCatalogueCommands::New() {
    const QString path = NewFileName("New catalogue");
    if (path.isEmpty()) return;
    TNewCatalog::Create(path);
    OpenFile(path);
}

void TCatalogueCommands::NewDemo() {
    const QString path = NewFileName("New demo catalogue");
    if (path.isEmpty()) return;
    TDemoCatalog::Create(path);
    OpenFile(path);
}

void TCatalogueCommands::Open() {
    const QString path = TFileChooser::Ask(&window_, TFileQuestion::fqOpen, "Open catalogue", kCatalogueFilter);
    if (!path.isEmpty()) OpenFile(path);
}

void TCatalogueCommands::OpenFile(const QString& path) {
    if (!TCatalogLocation::NamesServer(path) && !QFileInfo::exists(path)) throw ECatalogError(path + ": no such file");
    window_.OpenCatalog(path);
}

void TCatalogueCommands::OpenServer() {
    const QString uri = TFileChooser::Ask(&window_, TFileQuestion::fqServer, "Open Server",
                                          "The catalogue's server, as postgresql://user@host[:port]/database");
    if (uri.isEmpty() || uri == "postgresql://") return;
    if (!TCatalogLocation::NamesServer(uri))
        throw ECatalogError(uri + ": not a server URI; it starts with postgresql://");
    TCatalogLocation::Parse(uri); // one clear message for a URI that cannot be read
    window_.OpenCatalog(uri);
}

void TCatalogueCommands::Import() {
    const QString source =
        TFileChooser::Ask(&window_, TFileQuestion::fqOpen, "Import Access catalogue", kAccessFilter);
    if (source.isEmpty()) return;
    const QString target = NewFileName("New catalogue from " + QFileInfo(source).fileName());
    if (target.isEmpty()) return;
    std::vector<TImportedTable> reports;
    bool imported = false;
    TBackgroundJob::Run(&window_, "Import", "ImportProgress", "rows", [&](TJobControl& control) {
        TImportProgress progress;
        progress.Report = [&control](long long done, long long total, const QString& table) {
            const int all = total < 0 ? 0 : static_cast<int>(std::max(total, done));
            control.Report(static_cast<int>(done), all, "\"" + table + "\"");
        };
        progress.Cancelled = [&control] { return control.Cancelled(); };
        try {
            const std::unique_ptr<TTableSource> tables = TImportSource::Open(source);
            reports = TCatalogImport::Run(*tables, source, target, progress);
            imported = true;
        } catch (const EImportCancelled&) {
        }
    });
    // Cancelled: the target was never written.
    if (!imported) return;
    QStringList skipped;
    for (const TImportedTable& t : reports)
        for (const QString& row : t.Skipped) skipped << "\"" + t.Table + "\" " + row;
    OpenFile(target);
    if (!skipped.isEmpty())
        TErrorReporter::Report(QString("%1 rows of %2 could not be imported:\n").arg(skipped.size()).arg(source) +
                               skipped.mid(0, 20).join('\n') + (skipped.size() > 20 ? "\n…" : ""));
}

void TCatalogueCommands::Export() {
    TCatalogForm* form = window_.Form();
    if (!form || !form->Conn.IsOpen()) throw ECatalogError("no catalogue is open");
    QString chosen;
    QString path = TFileChooser::Ask(&window_, TFileQuestion::fqSave, "Export the titles", TExportFile::Filter(),
                                     &chosen);
    if (path.isEmpty()) return;
    const QString format = TExportFile::FormatOf(path, chosen);
    if (QFileInfo(path).suffix().toLower() != format) path += "." + format;
    TExportFile::Write(form->Conn.Path(), path, format);
}

void TCatalogueCommands::About() {
    QMessageBox::about(&window_, "About Tolvane", TAboutText::Text());
}

} // namespace tolvane
