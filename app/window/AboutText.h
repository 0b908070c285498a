#pragma once
// What Help ▸ About says: the program's version and those of the libraries it runs on.

#include <QString>

namespace tolvane {

class TAboutText {
public:
    static QString Text();
};

} // namespace tolvane
