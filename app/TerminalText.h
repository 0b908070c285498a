#pragma once
// Text for a terminal: names and values from files and catalogues may hold control characters
// (an escape sequence that sets the window title or clears the screen, a NUL byte); on a terminal
// they are shown escaped, never obeyed. Output to a file or a pipe keeps the data as it is.

#include <QString>
#include <ostream>
#include <string>

namespace tolvane {

class TTerminalText {
public:
    // UTF-8 with every control character written visibly: \t, \n, \r, \e, the other C0 characters
    // and DEL as \xHH, the C1 characters (U+0080-U+009F) as \uHHHH.
    static std::string Escaped(const QString& text);

    // Whether the stream is the program's standard output or error and that is a terminal.
    static bool IsTerminal(const std::ostream& stream);
};

} // namespace tolvane
