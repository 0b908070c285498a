#pragma once
// The file, folder and server questions the window asks: the desktop's dialogs, or answers a test
// gives in their place.

#include <QString>
#include <functional>

class QWidget;

namespace tolvane {

// fqSave asks before an existing file is replaced; fqCreate names a new file, which the caller
// refuses when it exists; fqServer asks for a server's URI in a line of text.
enum class TFileQuestion { fqOpen, fqSave, fqCreate, fqFolder, fqServer };

class TFileChooser {
public:
    // What was chosen, or an empty text when the user cancelled. `filter` holds the kinds of file
    // as the dialog lists them (";;" between them); `chosenFilter`, if given, gets the one chosen.
    using TAnswer = std::function<QString(TFileQuestion, const QString& caption, const QString& filter,
                                          QString* chosenFilter)>;

    static QString Ask(QWidget* parent, TFileQuestion question, const QString& caption,
                       const QString& filter = {}, QString* chosenFilter = nullptr);
    // Installs answers in place of the dialogs; returns the ones replaced (empty: the dialogs).
    static TAnswer SetAnswer(TAnswer answer);
};

} // namespace tolvane
