#include "app/CommandLine.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <climits>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/CatalogError.h"
#include "app/CatalogForm.h"
#include "app/CatalogLocation.h"
#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"
#include "app/CommandLineArguments.h"
#include "app/DemoCatalog.h"
#include "app/EditLoop.h"
#include "app/EpisodeFields.h"
#include "app/EpisodeModel.h"
#include "app/ErrorReporter.h"
#include "app/FilterExpression.h"
#include "app/Formats.h"
#include "app/ProgressLine.h"
#include "app/RecordSource.h"
#include "app/TerminalText.h"
#include "app/TitleList.h"
#include "app/commands/CopyCommand.h"
#include "app/commands/InitCommand.h"
#include "app/export/CatalogExport.h"
#include "app/export/OutputFile.h"
#include "app/export/XlsxFile.h"
#include "app/import/CatalogImport.h"
#include "app/import/MdbTableSource.h"
#include "app/scan/FolderScan.h"
#include "app/window/ProgressPicture.h"
#include "app/window/RecentCatalogs.h"

namespace tolvane {

namespace {

const QString kDefaultCatalog = "Oru.db";
// Up to this many listed titles, each title's totals are read by its key.
constexpr int kTotalsByKey = 16;
const char* const kUsage =
    "usage: tolvane [--read-only] [FILE]            the catalogue window (Oru.db, else the last)\n"
    "       tolvane demo [FILE]                     a new demo catalogue\n"
    "       tolvane init URL                        an empty catalogue in an empty server database\n"
    "       tolvane copy SOURCE TARGET              a whole catalogue into a new file or an empty\n"
    "                                               server database\n"
    "       tolvane list [--db FILE] [PREFIX]       the titles whose name begins with PREFIX\n"
    "       tolvane show [--db FILE] ID             one title's episodes as the window shows them\n"
    "       tolvane export [--db FILE] [--title ID] [--format csv|tsv|xlsx] [--output FILE]\n"
    "                                               the titles with their totals, or one title's\n"
    "                                               episodes, as CSV (the default), TSV or an\n"
    "                                               Excel workbook (xlsx needs --output)\n"
    "       tolvane scan DIR --title NAME [--type TV|OVA|Movie] [--db FILE]\n"
    "                                               add DIR's video files as episodes of a title\n"
    "       tolvane import SOURCE.mdb [TARGET.db]   a new catalogue (Oru.db by default) from an\n"
    "                                               Access catalogue\n"
    "       tolvane --screenshot PNG [--search TEXT] [--select ROW] [--read-only] [FILE]\n"
    "       tolvane --screenshot PNG --add-folder FOLDER [FILE]\n"
    "                                               the window with Add Folder's progress over it,\n"
    "                                               halfway through FOLDER (nothing is stored)\n"
    "       tolvane --help                          this text (also -h, and after a command)\n"
    "A catalogue FILE may also be a database on a PostgreSQL server:\n"
    "  postgresql://[user@]host[:port]/dbname or postgresql:///dbname?host=/run/postgresql\n"
    "Qt's own options (-style Fusion, -platformtheme NAME, -display D, ...) are accepted too.";

// A failure that ends the command with status 1.
class ECommandError : public std::runtime_error {
public:
    explicit ECommandError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

using TArguments = TCommandArguments;

// A file or folder name given on the command line: an empty one names nothing.
const QString& Named(const QString& name, const QString& what) {
    if (name.isEmpty()) throw ECommandError(what + " is empty");
    return name;
}

// Each command's own options and how many positional arguments it takes (init and copy count
// theirs, to show their usage); whether it writes, so that it cannot be read-only.
struct TCommandEntry {
    const char* name;
    QStringList options;
    int maxPositional;
    bool writes;
};

const std::vector<TCommandEntry>& Commands() {
    static const std::vector<TCommandEntry> commands = {
        {"demo", {}, 1, true},
        {"init", {}, INT_MAX, true},
        {"copy", {}, INT_MAX, true},
        {"list", {"--db"}, 1, false},
        {"show", {"--db"}, 1, false},
        {"export", {"--db", "--title", "--format", "--output"}, 0, false},
        {"scan", {"--title", "--type", "--db"}, 1, true},
        {"import", {}, 2, true},
        {"store-edits", {}, 3, true},
    };
    return commands;
}

const TCommandEntry* CommandNamed(const QString& word) {
    for (const TCommandEntry& c : Commands())
        if (word == c.name) return &c;
    return nullptr;
}

// The words before the command: Qt's options, --read-only, --help and --screenshot.
TArguments Leading(const QStringList& args) {
    TCommandSyntax syntax;
    syntax.Flags = {"--screenshot"};
    syntax.StopAtCommand = true;
    return TCommandArguments::Parse(args, syntax);
}

// The catalogue the window opens: the file named, which must exist, since a word that is no
// command and no file is most likely a mistyped command; else Oru.db when the working folder has
// one, else the catalogue opened last.
QString WindowFile(const TArguments& a) {
    if (a.Positional.isEmpty()) {
        const QString last = TRecentCatalogs::Last();
        return QFileInfo::exists(kDefaultCatalog) || !QFileInfo::exists(last) ? kDefaultCatalog : last;
    }
    const QString& file = Named(a.Positional[0], "the catalogue's file name");
    if (TCatalogLocation::NamesServer(file)) return file;
    const QFileInfo info(file);
    if (info.isDir()) throw ECommandError(file + ": a folder, not a catalogue");
    if (!info.exists()) throw ECommandError("no such command or catalogue: " + file);
    return file;
}

// Where the output goes: on a terminal control characters are shown escaped; into a file or a
// pipe the data stays as it is.
struct TConsole {
    std::ostream& out;
    std::ostream& err;
    bool outTerminal;
    bool errTerminal;

    std::string Out(const QString& text) const { return Shown(text, outTerminal); }
    std::string Err(const QString& text) const { return Shown(text, errTerminal); }
    static std::string Shown(const QString& text, bool terminal) {
        return terminal ? TTerminalText::Escaped(text) : text.toStdString();
    }
    // One field of a tab-separated line on out: tabs and line breaks inside it would split the line.
    std::string Field(const QString& text) const {
        if (outTerminal) return TTerminalText::Escaped(text);
        std::string result = text.toStdString();
        for (char& c : result)
            if (c == '\t' || c == '\n' || c == '\r') c = ' ';
        return result;
    }
};

QString Option(const TArguments& a, const QString& name, const QString& fallback) {
    const auto it = a.Options.find(name);
    return it == a.Options.end() ? fallback : it->second;
}

std::int64_t Number(const QString& text, const QString& what) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || text.trimmed() != text) throw ECommandError(what + " must be a whole number: " + text);
    return v;
}

int Demo(const TArguments& a, const TConsole& console) {
    const QString path = Named(a.Positional.value(0, kDefaultCatalog), "the demo's file name");
    TDemoCatalog::Create(path);
    console.out << console.Out(TCatalogLocation::Parse(path).Display()) << ": " << TDemoCatalog::TitleCount
                << " titles\n";
    return 0;
}

int List(const TArguments& a, const TConsole& console) {
    TCatalogStore store;
    store.Open(Named(Option(a, "--db", kDefaultCatalog), "the catalogue's file name"), TOpenMode::omReadOnly);
    TRecordSource titles(TCatalogSchema::Titles());
    TRecordSource totals(TCatalogSchema::Totals());
    titles.Open(store);

    // The same filter the search box sets.
    const QString prefix = a.Positional.value(0);
    if (!prefix.isEmpty()) {
        titles.SetFilter(
            TFilterExpression::PrefixOf(titles.Definition(), QString::fromUtf8("Название"), prefix));
        titles.SetFiltered(true);
    }

    // Every line is made before the first is printed: a failure halfway prints nothing.
    std::ostringstream out;
    // The totals of a few titles are read by key; of many, in one pass over the view.
    const bool byKey = titles.RecordCount() <= kTotalsByKey;
    std::map<std::int64_t, int> totalsById;
    if (!byKey) {
        totals.Open(store);
        for (int k = 1; k <= totals.RecordCount(); ++k) {
            totals.SetRecNo(k);
            totalsById[totals.AsInteger(3)] = k;
        }
    }

    for (int k = 1; k <= titles.RecordCount(); ++k) {
        titles.SetRecNo(k);
        std::string sizeText;
        std::int64_t duration = 0;
        int at = 0;
        if (byKey) {
            totals.SetFilter(TFilterExpression::Equals("ID", std::to_string(titles.AsInteger(0))));
            totals.SetFiltered(true);
            if (!totals.Active()) totals.Open(store);
            at = totals.RecordCount(); // the last of a repeated key, as in one pass
        } else if (const auto it = totalsById.find(titles.AsInteger(0)); it != totalsById.end()) {
            at = it->second;
        }
        if (at > 0) {
            totals.SetRecNo(at);
            sizeText = totals.AsText(1);
            duration = totals.AsInteger(2);
        }
        out << titles.AsText(0) << '\t' << console.Field(titles.AsWideText(1)) << '\t'
            << console.Field(titles.AsWideText(2)) << '\t' << console.Field(titles.AsWideText(3)) << '\t'
            << FormatSize(sizeText) << '\t' << FormatDuration(duration) << '\n';
    }
    console.out << out.str();
    return 0;
}

int Show(const TArguments& a, const TConsole& console) {
    if (a.Positional.isEmpty()) throw ECommandError("show needs a title ID");
    const std::int64_t id = Number(a.Positional[0], "ID");
    TCatalogStore store;
    store.Open(Named(Option(a, "--db", kDefaultCatalog), "the catalogue's file name"), TOpenMode::omReadOnly);

    // Opened on their filters, the sources read this title's rows alone.
    TRecordSource titles(TCatalogSchema::Titles());
    titles.SetFilter(TFilterExpression::Equals("ID", std::to_string(id)));
    titles.SetFiltered(true);
    titles.Open(store);
    if (titles.RecordCount() == 0)
        throw ECommandError(store.Failure("no title with ID " + QString::number(id)));

    TRecordSource episodes(TCatalogSchema::Episodes());
    episodes.OnCalcFields = [](TRecordSource& source) { TEpisodeFields::Calculate(source); };
    episodes.SetFilter(TFilterExpression::Equals(QString::fromUtf8("Название"), std::to_string(id)));
    episodes.SetFiltered(true);
    episodes.Open(store);

    // The texts come from the episode grid's own model, whole (what it displays is only what a
    // cell can show of a long one); all are read before any is printed.
    TEpisodeModel model(episodes);
    std::ostringstream out;
    for (int c = 0; c < model.columnCount(); ++c)
        out << (c ? "\t" : "") << console.Field(model.headerData(c, Qt::Horizontal).toString());
    out << '\n';
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c)
            out << (c ? "\t" : "") << console.Field(model.data(model.index(r, c), Qt::EditRole).toString());
        out << '\n';
    }
    console.out << out.str();
    return 0;
}

// Not in the usage: stores numbered edits for the crash test, which kills it.
int StoreEdits(const TArguments& a, std::ostream& out) {
    if (a.Positional.size() != 3) throw ECommandError("store-edits needs FILE ROUND COUNT");
    TEditLoop::Run(a.Positional[0], std::uint32_t(Number(a.Positional[1], "ROUND")),
                   int(Number(a.Positional[2], "COUNT")), out);
    return 0;
}

int Export(const TArguments& a, const TConsole& console) {
    std::optional<std::int64_t> title;
    if (a.Options.count("--title")) title = Number(a.Options.at("--title"), "ID");
    const QString format = Option(a, "--format", "csv");
    if (!QStringList{"csv", "tsv", "xlsx"}.contains(format))
        throw ECommandError("unknown format " + format + " (csv, tsv or xlsx)");
    const QString output = Option(a, "--output", "");
    if (format == "xlsx" && output.isEmpty())
        throw ECommandError("--format xlsx needs --output FILE: a workbook is no text to print");
    if (!output.isEmpty() && QFileInfo::exists(output)) throw ECommandError(output + ": already exists");

    TExportTable table = TCatalogExport::Table(Option(a, "--db", kDefaultCatalog), title);
    if (format == "xlsx") {
        TOutputFile::Create(output, [&table](const QString& part) { TXlsxFile::Write(table, part); });
    } else if (!output.isEmpty()) {
        TOutputFile::Create(output,
                            TDelimitedText::Of(table, TDelimitedText::FormatNamed(format.toStdString())));
    } else {
        if (console.outTerminal)
            for (auto& row : table.Rows)
                for (std::string& field : row) field = TTerminalText::Escaped(QString::fromStdString(field));
        console.out << TDelimitedText::Of(table, TDelimitedText::FormatNamed(format.toStdString()))
                    << std::flush;
        return 0;
    }
    console.out << console.Out(output) << ": written\n";
    return 0;
}

int Scan(const TArguments& a, const TConsole& console) {
    if (a.Positional.isEmpty()) throw ECommandError("scan needs a folder");
    if (!a.Options.count("--title")) throw ECommandError("scan needs --title NAME");
    TScanRequest request{Named(a.Positional[0], "the folder's name"), Option(a, "--db", kDefaultCatalog),
                         a.Options.at("--title"), Option(a, "--type", "")};
    if (!request.Type.isEmpty() && !QStringList{"TV", "OVA", "Movie"}.contains(request.Type))
        throw ECommandError("unknown type " + request.Type + " (TV, OVA or Movie)");

    // Progress only for a person watching: one line, rewritten in place.
    TFolderScan::TProgress progress;
    std::ostream& err = console.err;
    TProgressLine line(err, console.errTerminal);
    if (line.Shown())
        progress = [&line](int k, int n, const QString& file) {
            line.Show(std::to_string(k) + '/' + std::to_string(n) + ' ' + TTerminalText::Escaped(file));
        };
    const TScanResult result = TFolderScan::Run(request, progress);
    line.Clear();
    for (const QString& skipped : result.Skipped) err << "tolvane: " << console.Err(skipped) << '\n';
    console.out << console.Out(request.Title) << " (ID " << result.TitleId << (result.NewTitle ? ", new" : "")
                << "): " << result.Added << " added, " << result.Present << " already listed, "
                << result.Skipped.size() << " skipped\n";
    return 0;
}

int Import(const TArguments& a, const TConsole& console) {
    if (a.Positional.isEmpty()) throw ECommandError("import needs an Access file");
    const QString source = Named(a.Positional[0], "the Access file's name");
    const QString target = Named(a.Positional.value(1, kDefaultCatalog), "the new catalogue's file name");
    // Refused before the source is read at all.
    if (QFileInfo(target).exists()) throw ECommandError(target + ": already exists");
    TMdbTableSource tables(source);
    const std::vector<TImportedTable> reports = TCatalogImport::Run(tables, source, target);
    for (const TImportedTable& t : reports) {
        for (const QString& skipped : t.Skipped)
            console.err << "tolvane: " << console.Err(source + ": \"" + t.Table + "\" " + skipped) << '\n';
        console.out << console.Out(t.Table) << ": " << t.Read << " read, " << t.Skipped.size()
                    << " skipped\n";
    }
    console.out << console.Out(TCatalogLocation::Parse(target).Display()) << ": written\n";
    return 0;
}

// Runs the window over a file, collecting what it reports instead of showing message boxes.
struct TScreenshotRequest {
    TArguments a;
    QString png, file;
    std::optional<std::int64_t> select;
};

// Checked before any application object is made, so that a wrong argument is only an error line.
TScreenshotRequest ScreenshotRequest(const QStringList& args) {
    TCommandSyntax syntax{{"--search", "--select", "--add-folder"}, 2, {"--search"}, {}, false};
    TScreenshotRequest r{TCommandArguments::Parse(args, syntax), {}, {}, {}};
    if (r.a.Positional.value(0).isEmpty()) throw ECommandError("--screenshot needs a PNG file name");
    r.png = r.a.Positional[0];
    r.file = Named(r.a.Positional.value(1, kDefaultCatalog), "the catalogue's file name");
    if (r.a.Options.count("--select")) r.select = Number(r.a.Options.at("--select"), "ROW");
    return r;
}

int Screenshot(const QStringList& args, bool readOnly) {
    const auto [a, png, file, select] = ScreenshotRequest(args);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw ECommandError("--screenshot needs a graphical application");

    QStringList errors;
    struct TSinkRestore {
        TErrorReporter::TSink previous;
        ~TSinkRestore() { TErrorReporter::SetSink(std::move(previous)); }
    } restore{TErrorReporter::SetSink([&errors](const QString& message) { errors << message; })};
    auto check = [&errors] {
        if (!errors.isEmpty()) throw ECommandError(errors.first());
    };

    if (a.Options.count("--add-folder")) {
        if (!TProgressPicture::AddFolder(file, a.Options.at("--add-folder")).save(png, "PNG"))
            throw ECommandError(png + ": cannot write the picture");
        return 0;
    }
    TCatalogForm form(file, TOpenMode::omReadOnly);
    check();
    form.setAttribute(Qt::WA_DontShowOnScreen);
    // The picture shows the window as a user has it: active, the list focused and highlighted,
    // and without the mark of the read-only opening that only the picture needs, unless asked for.
    if (!readOnly) form.SBarReadOnly->hide();
    form.show();
    QApplication::setActiveWindow(&form);
    QCoreApplication::processEvents();
    if (a.Options.count("--search")) {
        form.EFound->setText(a.Options.at("--search"));
        check();
    }
    if (select) {
        const int rows = form.GV->GetRowCount();
        if (*select < 0 || *select >= rows)
            throw ECommandError(QString("row %1 out of range (%2 rows listed)").arg(*select).arg(rows));
        form.GV->ClickRow(static_cast<int>(*select));
        check();
    }
    QCoreApplication::processEvents();
    const QPixmap picture = form.grab();
    if (!picture.save(png, "PNG")) throw ECommandError(png + ": cannot write the picture");
    check();
    return 0;
}

int Window(const TArguments& a, bool readOnly) {
    const QString file = WindowFile(a);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw ECommandError("the window needs a graphical application");
    return TApplication::RunCatalogWindow(file, readOnly ? TOpenMode::omReadOnly : TOpenMode::omReadWrite);
}

// What the command line asks for, its arguments checked as far as they can be before an
// application object is made.
struct TInvocation {
    enum TKind { ikHelp, ikCommand, ikScreenshot, ikWindow } Kind = ikWindow;
    const TCommandEntry* Command = nullptr;
    TArguments Arguments; // the command's or the window's
    QStringList Screenshot; // the arguments after --screenshot
    bool ReadOnly = false;
};

TInvocation Invocation(const QStringList& args) {
    const TArguments leading = Leading(args);
    TInvocation r;
    r.ReadOnly = leading.ReadOnly;
    if (leading.Help) {
        r.Kind = TInvocation::ikHelp;
    } else if (leading.Flags.contains("--screenshot")) {
        r.Kind = TInvocation::ikScreenshot;
        r.Screenshot = leading.Positional;
        const TArguments shot = ScreenshotRequest(r.Screenshot).a;
        r.ReadOnly |= shot.ReadOnly;
        if (shot.Help) r.Kind = TInvocation::ikHelp;
    } else {
        r.Command = CommandNamed(leading.Positional.value(0));
        r.Kind = r.Command ? TInvocation::ikCommand : TInvocation::ikWindow;
        r.Arguments = r.Command
                          ? TCommandArguments::Parse(leading.Positional.mid(1),
                                                     {r.Command->options, r.Command->maxPositional, {}, {}, false})
                          : TCommandArguments::Parse(leading.Positional, {{}, 1, {}, {}, false});
        r.ReadOnly |= r.Arguments.ReadOnly;
        if (r.Arguments.Help) r.Kind = TInvocation::ikHelp;
    }
    return r;
}

} // namespace

TCommandLine::TMode TCommandLine::ModeOf(const QStringList& args) {
    try {
        const TInvocation r = Invocation(args);
        if (r.Kind == TInvocation::ikScreenshot) return TMode::mdScreenshot;
        if (r.Kind != TInvocation::ikWindow) return TMode::mdConsole;
        WindowFile(r.Arguments);
        return TMode::mdWindow;
    } catch (const std::exception&) {
        return TMode::mdConsole; // only an error to print
    }
}

int TCommandLine::Run(const QStringList& args, std::ostream& out, std::ostream& err) {
    const TConsole console{out, err, TTerminalText::IsTerminal(out), TTerminalText::IsTerminal(err)};
    try {
        const TInvocation r = Invocation(args);
        if (r.Kind == TInvocation::ikHelp) {
            out << kUsage << '\n';
            return 0;
        }
        if (r.Kind == TInvocation::ikScreenshot) return Screenshot(r.Screenshot, r.ReadOnly);
        if (r.Kind == TInvocation::ikWindow) return Window(r.Arguments, r.ReadOnly);
        // The reading commands never write; the writing ones cannot be read-only.
        const QString command = r.Command->name;
        if (r.ReadOnly && r.Command->writes)
            throw ECommandError("--read-only does not go with " + command + ", which writes");
        const TArguments& a = r.Arguments;
        if (command == "demo") return Demo(a, console);
        if (command == "init") return TInitCommand::Run(a.Positional, out);
        if (command == "copy") return TCopyCommand::Run(a.Positional, out, err);
        if (command == "list") return List(a, console);
        if (command == "show") return Show(a, console);
        if (command == "store-edits") return StoreEdits(a, out);
        if (command == "export") return Export(a, console);
        if (command == "scan") return Scan(a, console);
        return Import(a, console);
    } catch (const std::exception& e) {
        std::string message = e.what();
        if (console.errTerminal) {
            message = TTerminalText::Escaped(QString::fromStdString(message));
        } else {
            for (char& c : message)
                if (c == '\n' || c == '\r') c = ' ';
        }
        err << "tolvane: " << message << '\n';
        return 1;
    }
}

} // namespace tolvane
