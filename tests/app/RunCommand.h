#pragma once
// Runs the command line in-process and keeps its exit status and both output streams.

#include <sstream>
#include <string>

#include <QStringList>

#include "app/CommandLine.h"

namespace tolvane {

struct TRun {
    int status;
    std::string out;
    std::string err;
};

inline TRun Tolvane(const QStringList& args) {
    std::ostringstream out, err;
    const int status = TCommandLine::Run(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace tolvane
