#pragma once
// A whole catalogue copied between two stores (file or server, either way): the titles and the
// episodes with their IDs, in one transaction on the target, which must be new or empty.

#include <QString>
#include <cstdint>
#include <functional>

namespace tolvane {

struct TCopyCount {
    std::int64_t Titles = 0;
    std::int64_t Episodes = 0;
};

class TCatalogCopy {
public:
    // Rows copied so far and of all, called now and then.
    using TProgress = std::function<void(std::int64_t done, std::int64_t total)>;

    // Refuses a target that exists (a file) or holds anything (a server's database) before the
    // source is read. Throws ECatalogError "<source or target>: <reason>"; the target is then
    // left as it was.
    static TCopyCount Run(const QString& source, const QString& target, const TProgress& progress = {});
};

} // namespace tolvane
