#include "app/commands/CopyCommand.h"

#include <iostream>
#include <stdexcept>
#include <unistd.h>

#include "app/CatalogLocation.h"
#include "app/ProgressLine.h"
#include "app/copy/CatalogCopy.h"

namespace tolvane {

int TCopyCommand::Run(const QStringList& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].startsWith('-') || args[1].startsWith('-'))
        throw std::runtime_error(
            "usage: tolvane copy SOURCE TARGET (a file or postgresql://host/dbname each)");
    // Progress only for a person watching: one line, rewritten in place, gone at the end.
    const bool terminal = err.rdbuf() == std::cerr.rdbuf() && isatty(STDERR_FILENO);
    TProgressLine line(err, terminal);
    TCatalogCopy::TProgress progress;
    if (terminal)
        progress = [&line](std::int64_t done, std::int64_t total) {
            line.Show(std::to_string(done) + '/' + std::to_string(total) + " rows");
        };
    const TCopyCount count = TCatalogCopy::Run(args[0], args[1], progress);
    line.Clear();
    out << TCatalogLocation::Parse(args[1]).Display().toStdString() << ": " << count.Titles << " titles, "
        << count.Episodes << " episodes copied\n";
    return 0;
}

} // namespace tolvane
