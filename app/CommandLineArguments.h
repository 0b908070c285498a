#pragma once
// One command's arguments, split by QCommandLineParser into its options and positional
// arguments. Every command also takes Qt's own options (ignored), --read-only and --help/-h; a
// single dash spells a long option too (-style, -db), and "--" ends the options.
// QCommandLineParser knows no commands of their own options, so the command line is parsed in
// two steps, as version-control tools do: the words up to the command, then the command's own.

#include <QStringList>
#include <climits>
#include <map>

namespace tolvane {

struct TCommandSyntax {
    QStringList Options;    // taking a value: "--db"
    int MaxPositional = INT_MAX;
    QStringList MayBeEmpty; // options whose value may be an empty text
    QStringList Flags;      // taking no value: "--screenshot"
    bool StopAtCommand = false; // the first positional argument and all after it stay positional
};

struct TCommandArguments {
    std::map<QString, QString> Options; // by the option's name as written in the syntax
    QStringList Flags;
    QStringList Positional;
    bool ReadOnly = false;
    bool Help = false;

    // Throws std::runtime_error with one line: "unknown option --x", "--db needs a value",
    // "--db given twice", "unexpected argument x".
    static TCommandArguments Parse(const QStringList& args, const TCommandSyntax& syntax);
};

} // namespace tolvane
