#include "app/CommandLine.h"

#include <QApplication>
#include <QLabel>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>

#include "app/Application.h"
#include "app/CatalogError.h"
#include "app/CatalogForm.h"
#include "app/CatalogLocation.h"
#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"
#include "app/DemoCatalog.h"
#include "app/EditLoop.h"
#include "app/EpisodeFields.h"
#include "app/EpisodeModel.h"
#include "app/ErrorReporter.h"
#include "app/FilterExpression.h"
#include "app/Formats.h"
#include "app/RecordSource.h"
#include "app/TitleList.h"
#include "app/commands/CopyCommand.h"
#include "app/commands/InitCommand.h"
#include "app/export/CatalogExport.h"
#include "app/import/CatalogImport.h"
#include "app/import/MdbTableSource.h"
#include "app/scan/FolderScan.h"

namespace tolvane {

namespace {

const QString kDefaultCatalog = "Oru.db";
// Up to this many listed titles, each title's totals are read by its key.
constexpr int kTotalsByKey = 16;
const char* const kUsage =
    "usage: tolvane [FILE]                          the catalogue window (Oru.db by default)\n"
    "       tolvane demo [FILE]                     a new demo catalogue\n"
    "       tolvane init URL                        an empty catalogue in an empty server database\n"
    "       tolvane copy SOURCE TARGET              a whole catalogue into a new file or an empty\n"
    "                                               server database\n"
    "       tolvane list [--db FILE] [PREFIX]       the titles whose name begins with PREFIX\n"
    "       tolvane show [--db FILE] ID             one title's episodes as the window shows them\n"
    "       tolvane export [--db FILE] [--title ID] [--format csv|tsv]\n"
    "                                               the titles with their totals, or one title's\n"
    "                                               episodes, as CSV (the default) or TSV\n"
    "       tolvane scan DIR --title NAME [--type TV|OVA|Movie] [--db FILE]\n"
    "                                               add DIR's video files as episodes of a title\n"
    "       tolvane import SOURCE.mdb [TARGET.db]   a new catalogue (Oru.db by default) from an\n"
    "                                               Access catalogue\n"
    "       tolvane --screenshot PNG [--search TEXT] [--select ROW] [FILE]\n"
    "       tolvane --help\n"
    "A catalogue FILE may also be a database on a PostgreSQL server:\n"
    "  postgresql://[user@]host[:port]/dbname or postgresql:///dbname?host=/run/postgresql";

// A failure that ends the command with status 1.
class ECommandError : public std::runtime_error {
public:
    explicit ECommandError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

struct TArguments {
    std::map<QString, QString> options;
    QStringList positional;
};

// Splits arguments into the allowed options (each taking a value) and positional arguments;
// "--" ends the options.
TArguments Parse(const QStringList& args, const QStringList& options, int maxPositional) {
    TArguments result;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a.startsWith('-') && a.size() > 1) {
            if (!options.contains(a)) throw ECommandError("unknown option " + a);
            if (i + 1 >= args.size()) throw ECommandError(a + " needs a value");
            if (result.options.count(a)) throw ECommandError(a + " given twice");
            result.options[a] = args[++i];
        } else {
            result.positional << a;
        }
    }
    if (result.positional.size() > maxPositional)
        throw ECommandError("unexpected argument " + result.positional[maxPositional]);
    return result;
}

QString Option(const TArguments& a, const QString& name, const QString& fallback) {
    const auto it = a.options.find(name);
    return it == a.options.end() ? fallback : it->second;
}

std::int64_t Number(const QString& text, const QString& what) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || text.trimmed() != text) throw ECommandError(what + " must be a whole number: " + text);
    return v;
}

// One field of a tab-separated line: tabs and line breaks inside it would split the line.
std::string Cell(const std::string& text) {
    std::string result = text;
    for (char& c : result)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return result;
}

int Demo(const QStringList& args, std::ostream& out) {
    const TArguments a = Parse(args, {}, 1);
    const QString path = a.positional.value(0, kDefaultCatalog);
    TDemoCatalog::Create(path);
    out << TCatalogLocation::Parse(path).Display().toStdString() << ": " << TDemoCatalog::TitleCount
        << " titles\n";
    return 0;
}

int List(const QStringList& args, std::ostream& out) {
    const TArguments a = Parse(args, {"--db"}, 1);
    TCatalogStore store;
    store.Open(Option(a, "--db", kDefaultCatalog), TOpenMode::omReadOnly);
    TRecordSource titles(TCatalogSchema::Titles());
    TRecordSource totals(TCatalogSchema::Totals());
    titles.Open(store);

    // The same filter the search box sets.
    const QString prefix = a.positional.value(0);
    if (!prefix.isEmpty()) {
        titles.SetFilter(
            TFilterExpression::PrefixOf(titles.Definition(), QString::fromUtf8("Название"), prefix));
        titles.SetFiltered(true);
    }

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
        out << titles.AsText(0) << '\t' << Cell(titles.AsText(1)) << '\t' << Cell(titles.AsText(2)) << '\t'
            << Cell(titles.AsText(3)) << '\t' << FormatSize(sizeText) << '\t' << FormatDuration(duration)
            << '\n';
    }
    return 0;
}

int Show(const QStringList& args, std::ostream& out) {
    const TArguments a = Parse(args, {"--db"}, 1);
    if (a.positional.isEmpty()) throw ECommandError("show needs a title ID");
    const std::int64_t id = Number(a.positional[0], "ID");
    TCatalogStore store;
    store.Open(Option(a, "--db", kDefaultCatalog), TOpenMode::omReadOnly);

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

    // The texts come from the episode grid's own model.
    TEpisodeModel model(episodes);
    for (int c = 0; c < model.columnCount(); ++c)
        out << (c ? "\t" : "") << model.headerData(c, Qt::Horizontal).toString().toStdString();
    out << '\n';
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c)
            out << (c ? "\t" : "") << Cell(model.data(model.index(r, c)).toString().toStdString());
        out << '\n';
    }
    return 0;
}

// Not in the usage: stores numbered edits for the crash test, which kills it.
int StoreEdits(const QStringList& args, std::ostream& out) {
    const TArguments a = Parse(args, {}, 3);
    if (a.positional.size() != 3) throw ECommandError("store-edits needs FILE ROUND COUNT");
    TEditLoop::Run(a.positional[0], std::uint32_t(Number(a.positional[1], "ROUND")),
                   int(Number(a.positional[2], "COUNT")), out);
    return 0;
}

int Export(const QStringList& args, std::ostream& out) {
    const TArguments a = Parse(args, {"--db", "--title", "--format"}, 0);
    std::optional<std::int64_t> title;
    if (a.options.count("--title")) title = Number(a.options.at("--title"), "ID");
    const TTextFormat format = TDelimitedText::FormatNamed(Option(a, "--format", "csv").toStdString());
    out << TCatalogExport::Text(Option(a, "--db", kDefaultCatalog), title, format) << std::flush;
    return 0;
}

int Scan(const QStringList& args, std::ostream& out, std::ostream& err) {
    const TArguments a = Parse(args, {"--title", "--type", "--db"}, 1);
    if (a.positional.isEmpty()) throw ECommandError("scan needs a folder");
    if (!a.options.count("--title")) throw ECommandError("scan needs --title NAME");
    TScanRequest request{a.positional[0], Option(a, "--db", kDefaultCatalog), a.options.at("--title"),
                         Option(a, "--type", "")};
    if (!request.Type.isEmpty() && !QStringList{"TV", "OVA", "Movie"}.contains(request.Type))
        throw ECommandError("unknown type " + request.Type + " (TV, OVA or Movie)");

    // Progress only for a person watching: one line, rewritten in place.
    TFolderScan::TProgress progress;
    const bool terminal = err.rdbuf() == std::cerr.rdbuf() && isatty(STDERR_FILENO);
    if (terminal)
        progress = [&err](int k, int n, const QString& file) {
            err << "\r\033[K" << k << '/' << n << ' ' << file.toStdString() << std::flush;
        };
    struct TClearLine {
        bool on;
        std::ostream& err;
        ~TClearLine() {
            if (on) err << "\r\033[K" << std::flush;
        }
    } clear{terminal, err};
    const TScanResult result = TFolderScan::Run(request, progress);
    if (terminal) err << "\r\033[K" << std::flush;
    clear.on = false;
    for (const QString& skipped : result.Skipped) err << "tolvane: " << skipped.toStdString() << '\n';
    out << request.Title.toStdString() << " (ID " << result.TitleId << (result.NewTitle ? ", new" : "")
        << "): " << result.Added << " added, " << result.Present << " already listed, " << result.Skipped.size()
        << " skipped\n";
    return 0;
}

int Import(const QStringList& args, std::ostream& out, std::ostream& err) {
    const TArguments a = Parse(args, {}, 2);
    if (a.positional.isEmpty()) throw ECommandError("import needs an Access file");
    const QString source = a.positional[0];
    const QString target = a.positional.value(1, kDefaultCatalog);
    // Refused before the source is read at all.
    if (QFileInfo(target).exists()) throw ECommandError(target + ": already exists");
    TMdbTableSource tables(source);
    const std::vector<TImportedTable> reports = TCatalogImport::Run(tables, source, target);
    for (const TImportedTable& t : reports) {
        for (const QString& skipped : t.Skipped)
            err << "tolvane: " << source.toStdString() << ": \"" << t.Table.toStdString() << "\" "
                << skipped.toStdString() << '\n';
        out << t.Table.toStdString() << ": " << t.Read << " read, " << t.Skipped.size() << " skipped\n";
    }
    out << TCatalogLocation::Parse(target).Display().toStdString() << ": written\n";
    return 0;
}

// Runs the window over a file, collecting what it reports instead of showing message boxes.
int Screenshot(const QStringList& args) {
    const TArguments a = Parse(args, {"--search", "--select"}, 2);
    if (a.positional.isEmpty()) throw ECommandError("--screenshot needs a PNG file name");
    const QString png = a.positional[0];
    const QString file = a.positional.value(1, kDefaultCatalog);
    std::optional<std::int64_t> select;
    if (a.options.count("--select")) select = Number(a.options.at("--select"), "ROW");
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

    TCatalogForm form(file, TOpenMode::omReadOnly);
    check();
    form.setAttribute(Qt::WA_DontShowOnScreen);
    // The picture shows the window as a user has it: active, the list focused and highlighted,
    // and without the mark of the read-only opening that only the picture needs.
    form.SBarReadOnly->hide();
    form.show();
    QApplication::setActiveWindow(&form);
    QCoreApplication::processEvents();
    if (a.options.count("--search")) {
        form.EFound->setText(a.options.at("--search"));
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

int Window(const QStringList& args) {
    const TArguments a = Parse(args, {}, 1);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw ECommandError("the window needs a graphical application");
    return TApplication::RunCatalogWindow(a.positional.value(0, kDefaultCatalog));
}

} // namespace

TCommandLine::TMode TCommandLine::ModeOf(const QStringList& args) {
    if (args.isEmpty()) return TMode::mdWindow;
    const QString& first = args[0];
    if (first == "init" || first == "copy") return TMode::mdConsole;
    if (first == "demo" || first == "list" || first == "show" || first == "export" || first == "scan" ||
        first == "import" || first == "store-edits" || first == "--help" || first == "-h")
        return TMode::mdConsole;
    if (first == "--screenshot") return TMode::mdScreenshot;
    if (first.startsWith('-') && first != "--") return TMode::mdConsole; // an unknown option: only an error
    return TMode::mdWindow;
}

int TCommandLine::Run(const QStringList& args, std::ostream& out, std::ostream& err) {
    try {
        const QString first = args.value(0);
        const QStringList rest = args.mid(1);
        if (first == "--help" || first == "-h") {
            out << kUsage << '\n';
            return 0;
        }
        if (first == "demo") return Demo(rest, out);
        if (first == "init") return TInitCommand::Run(rest, out);
        if (first == "copy") return TCopyCommand::Run(rest, out, err);
        if (first == "list") return List(rest, out);
        if (first == "show") return Show(rest, out);
        if (first == "store-edits") return StoreEdits(rest, out);
        if (first == "export") return Export(rest, out);
        if (first == "scan") return Scan(rest, out, err);
        if (first == "import") return Import(rest, out, err);
        if (first == "--screenshot") return Screenshot(rest);
        return Window(args);
    } catch (const std::exception& e) {
        std::string message = e.what();
        for (char& c : message)
            if (c == '\n' || c == '\r') c = ' ';
        err << "tolvane: " << message << '\n';
        return 1;
    }
}

} // namespace tolvane
