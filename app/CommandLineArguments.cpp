#include "app/CommandLineArguments.h"

#include <QCommandLineParser>
#include <stdexcept>

#include "app/QtOptions.h"

namespace tolvane {

namespace {

[[noreturn]] void Fail(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

QString NameOf(const QString& option) {
    return option.mid(2);
}

// The unknown option as the user spelled it ("-x", "--x" or "--x=1").
QString Spelling(const QStringList& args, const QString& name) {
    for (const QString& a : args) {
        if (a == "--") break;
        QString bare = a;
        while (bare.startsWith('-')) bare.remove(0, 1);
        if (bare.section('=', 0, 0) == name) return a.section('=', 0, 0);
    }
    return "--" + name;
}

} // namespace

TCommandArguments TCommandArguments::Parse(const QStringList& args, const TCommandSyntax& syntax) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (syntax.StopAtCommand)
        parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    QStringList taken = {"read-only", "help", "h"};
    for (const QString& o : syntax.Options) {
        parser.addOption(QCommandLineOption(NameOf(o), QString(), "value"));
        taken << NameOf(o);
    }
    for (const QString& f : syntax.Flags) {
        parser.addOption(QCommandLineOption(NameOf(f)));
        taken << NameOf(f);
    }
    parser.addOption(QCommandLineOption("read-only"));
    parser.addOption(QCommandLineOption(QStringList{"h", "help"}));
    for (const QCommandLineOption& o : TQtOptions::Hidden(taken)) parser.addOption(o);

    // The parser reads the first argument as the program's name.
    if (!parser.parse(QStringList{"tolvane"} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) Fail("unknown option " + Spelling(args, unknown.first()));
        // A value can only be missing after the last argument.
        if (!args.isEmpty() && args.last().startsWith('-') && !args.last().contains('='))
            Fail(args.last() + " needs a value");
        // Else a flag was given a value ("--read-only=yes").
        for (const QString& a : args) {
            if (a == "--") break;
            if (a.startsWith('-') && a.contains('=')) Fail(a.section('=', 0, 0) + " takes no value");
        }
        Fail(parser.errorText());
    }

    TCommandArguments result;
    for (const QString& o : syntax.Options) {
        const QStringList values = parser.values(NameOf(o));
        if (values.isEmpty()) continue;
        if (values.size() > 1) Fail(o + " given twice");
        if (values.first().isEmpty() && !syntax.MayBeEmpty.contains(o)) Fail(o + " needs a value");
        result.Options[o] = values.first();
    }
    for (const QString& f : syntax.Flags)
        if (parser.isSet(NameOf(f))) result.Flags << f;
    result.ReadOnly = parser.isSet("read-only");
    result.Help = parser.isSet("help");
    result.Positional = parser.positionalArguments();
    if (result.Positional.size() > syntax.MaxPositional)
        Fail("unexpected argument " + result.Positional[syntax.MaxPositional]);
    return result;
}

} // namespace tolvane
