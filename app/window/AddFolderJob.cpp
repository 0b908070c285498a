#include "app/window/AddFolderJob.h"

#include "app/window/BackgroundJob.h"

namespace tolvane {

std::optional<TScanResult> TAddFolderJob::Run(QWidget* parent, const TScanRequest& request) {
    std::optional<TScanResult> result;
    TBackgroundJob::Run(parent, "Add Folder", "AddFolderProgress", "files", [&](TJobControl& control) {
        try {
            result = TFolderScan::Run(
                request, [&control](int k, int n, const QString& file) { control.Report(k - 1, n, file); },
                [&control] { return control.Cancelled(); });
        } catch (const EScanCancelled&) {
        }
    });
    return result;
}

} // namespace tolvane
