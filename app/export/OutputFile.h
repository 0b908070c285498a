#pragma once
// A new file written whole or not at all: written under a temporary name beside it and renamed
// when complete, so that a failure leaves nothing behind and a reader never sees half a file.
// An existing file is never replaced.

#include <QString>
#include <functional>

namespace tolvane {

class TOutputFile {
public:
    // Calls write with the temporary name to fill, then gives the file its name. Throws
    // ECatalogError "<path>: <reason>"; what write throws passes through, the temporary removed.
    static void Create(const QString& path, const std::function<void(const QString& part)>& write);
    // The bytes as a new file.
    static void Create(const QString& path, const std::string& bytes);
};

} // namespace tolvane
