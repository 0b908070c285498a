#include "app/TerminalText.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace tolvane {

std::string TTerminalText::Escaped(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u != 0x7f && (u < 0x80 || u > 0x9f)) {
            shown += c;
            continue;
        }
        switch (u) {
        case '\t':
            shown += "\\t";
            break;
        case '\n':
            shown += "\\n";
            break;
        case '\r':
            shown += "\\r";
            break;
        case 0x1b:
            shown += "\\e";
            break;
        default:
            shown += u < 0x80 ? QString::asprintf("\\x%02x", unsigned(u))
                              : QString::asprintf("\\u%04x", unsigned(u));
        }
    }
    return shown.toStdString();
}

bool TTerminalText::IsTerminal(const std::ostream& stream) {
    if (stream.rdbuf() == std::cout.rdbuf()) return isatty(STDOUT_FILENO);
    if (stream.rdbuf() == std::cerr.rdbuf()) return isatty(STDERR_FILENO);
    return false;
}

} // namespace tolvane
