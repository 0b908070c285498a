#include "app/commands/CopyCommand.h"

#include <iostream>
#include <stdexcept>
#include <unistd.h>

#include "app/CatalogLocation.h"
#include "app/copy/CatalogCopy.h"

namespace tolvane {

int TCopyCommand::Run(const QStringList& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].startsWith('-') || args[1].startsWith('-'))
        throw std::runtime_error(
            "usage: tolvane copy SOURCE TARGET (a file or postgresql://host/dbname each)");
    // Progress only for a person watching: one line, rewritten in place, gone at the end.
    const bool terminal = err.rdbuf() == std::cerr.rdbuf() && isatty(STDERR_FILENO);
    TCatalogCopy::TProgress progress;
    if (terminal)
        progress = [&err](std::int64_t done, std::int64_t total) {
            err << "\r\033[K" << done << '/' << total << " rows" << std::flush;
        };
    struct TClearLine {
        bool on;
        std::ostream& err;
        ~TClearLine() {
            if (on) err << "\r\033[K" << std::flush;
        }
    } clear{terminal, err};
    const TCopyCount count = TCatalogCopy::Run(args[0], args[1], progress);
    if (terminal) err << "\r\033[K" << std::flush;
    clear.on = false;
    out << TCatalogLocation::Parse(args[1]).Display().toStdString() << ": " << count.Titles << " titles, "
        << count.Episodes << " episodes copied\n";
    return 0;
}

} // namespace tolvane
