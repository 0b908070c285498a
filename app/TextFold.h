#pragma once
// Texts as a search compares them: NFC-normalised and fully case-folded, so that a decomposed
// accent meets a composed one, "ß" meets "ss" and letter case is ignored in every script.

#include <QString>

namespace tolvane {

class TTextFold {
public:
    // The folded form; a null text stays null.
    static QString Folded(const QString& text);
    // An ASCII capital as its small letter; any other code unit as it is.
    static char16_t AsciiLower(char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
    }
    // Whether every character is ASCII: such a text folds to its ASCII lower case.
    static bool IsAscii(const QString& text);
    // Whether `text` begins with `foldedPrefix` (a Folded() text), for an ASCII `text` without
    // folding it first.
    static bool AsciiStartsWith(const QString& text, const QString& foldedPrefix);
};

} // namespace tolvane
