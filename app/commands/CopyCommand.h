#pragma once
// tolvane copy SOURCE TARGET: a whole catalogue into a new file or an empty server database.

#include <QStringList>
#include <ostream>

namespace tolvane {

class TCopyCommand {
public:
    // Progress goes to err when it is a terminal. Throws with the one line to report.
    static int Run(const QStringList& args, std::ostream& out, std::ostream& err);
};

} // namespace tolvane
