#pragma once
// A picture of the window with Add Folder's progress dialog over it, taken halfway through a
// folder with a fixed time estimate, so that the same folder always gives the same picture. The
// scan is cancelled after the picture: nothing is stored.

#include <QImage>
#include <QString>

namespace tolvane {

class TProgressPicture {
public:
    // Throws ECatalogError when the catalogue cannot be opened or the folder holds no video file.
    static QImage AddFolder(const QString& catalogue, const QString& folder);
};

} // namespace tolvane
