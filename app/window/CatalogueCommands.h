#pragma once
// What the Catalogue and Help menus do: make, open, import and export catalogues, and tell what
// the program is. Each failure is one message through TErrorReporter.

#include <QString>

namespace tolvane {

class TMainWindow;

class TCatalogueCommands {
public:
    explicit TCatalogueCommands(TMainWindow& window) : window_(window) {}

    // An empty catalogue, or one with the demo's titles, at a file the user names; then shown.
    void New();
    void NewDemo();
    // A catalogue the user chooses, or the one named, shown in place of the open one.
    void Open();
    void OpenFile(const QString& path);
    // A catalogue on a PostgreSQL server, named by the URI the user types.
    void OpenServer();
    // A new catalogue from an Access file, both chosen by the user; then shown.
    void Import();
    // The titles with their totals as CSV, TSV or an Excel workbook.
    void Export();
    void About();

private:
    // The name of a new catalogue file, ".db" added when it has no suffix; empty when cancelled.
    QString NewFileName(const QString& caption);

    TMainWindow& window_;
};

} // namespace tolvane
