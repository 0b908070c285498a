#pragma once
// What the Title menu does to the shown catalogue: add a folder's videos as a title's episodes,
// add and delete titles.
// Each failure is one message through TErrorReporter.

#include <QString>

namespace tolvane {

class TMainWindow;

class TTitleCommands {
public:
    explicit TTitleCommands(TMainWindow& window) : window_(window) {}

    // Asks for a folder, then AddFolderAt.
    void AddFolder();
    // Asks which title gets the folder's videos, scans the folder with progress and shows the
    // title; the files that could not be read are listed at the end.
    void AddFolderAt(const QString& folder);

    // A title named "New title", shown, with a box over its row to name it.
    void NewTitle();
    // The shown title and its episodes, after the user confirmed.
    void DeleteTitle();

private:
    TMainWindow& window_;
};

} // namespace tolvane
