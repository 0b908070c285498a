#pragma once
// A new catalogue filled with 250 invented titles, the same on every run.

#include <QString>

namespace tolvane {

class TDemoCatalog {
public:
    static constexpr int TitleCount = 250;

    // Creates the file; refuses one that exists. Throws ECatalogError "<file>: <reason>".
    static void Create(const QString& path);
};

} // namespace tolvane
