#pragma once
// A folder scan run off the window's thread, with a progress dialog (files done of all, the file
// being read, the time left, Cancel) while the window goes on painting and answering.

#include <optional>

#include "app/scan/FolderScan.h"

class QWidget;

namespace tolvane {

class TAddFolderJob {
public:
    // The scan's result, or nothing when the user cancelled (then nothing was stored). Throws
    // ECatalogError as the scan does.
    static std::optional<TScanResult> Run(QWidget* parent, const TScanRequest& request);
};

} // namespace tolvane
