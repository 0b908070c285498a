#pragma once
// The question Add Folder asks: a new title (its name, the folder's by default, and its type) or
// the title shown now.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace tolvane {

struct TAddFolderChoice {
    QString Title; // the new title's name, or the current title's
    QString Type;  // for a new title: "TV", "OVA", "Movie" or empty
};

class TAddFolderQuestion {
public:
    using TAnswer = std::function<std::optional<TAddFolderChoice>(const QString& folder, const QString& current)>;

    // Nothing when the user cancelled. `current` is the shown title's name (empty: none).
    static std::optional<TAddFolderChoice> Ask(QWidget* parent, const QString& folder, const QString& current);
    // Installs answers in place of the dialog; returns the ones replaced (empty: the dialog).
    static TAnswer SetAnswer(TAnswer answer);
};

} // namespace tolvane
