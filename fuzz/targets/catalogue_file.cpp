// A catalogue opened from any bytes: start from a small generated catalogue and let the fuzzer
// mutate it. Opening is refused with ECatalogError or succeeds; an opened catalogue reads every
// record of its three sources, with the derived episode fields and every filter the window sets,
// without any other exception; and the file is byte-identical afterwards.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <exception>
#include <string>

#include "FuzzCheck.h"
#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"
#include "app/EpisodeFields.h"
#include "app/FilterExpression.h"
#include "app/Formats.h"
#include "app/RecordSource.h"

using namespace tolvane;
using namespace tolvane::fuzz;

namespace {

QTemporaryDir* folder = nullptr;

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll();
}

// Every field of every record, as text and as a number, the way the window and the commands read them.
void ReadAllFields(TRecordSource& source) {
    for (int k = 1; k <= source.RecordCount(); ++k) {
        source.SetRecNo(k);
        for (int f = 0; f < source.FieldCount(); ++f) {
            (void)source.AsInteger(f);
            (void)FormatSize(source.AsText(f));
        }
    }
}

// What the window does for each title: narrow the episodes and the totals to it, show the totals.
void ShowEachTitle(TRecordSource& titles, TRecordSource& episodes, TRecordSource& totals) {
    for (int k = 1; k <= titles.RecordCount() && k <= 64; ++k) {
        titles.SetRecNo(k);
        const std::string id = titles.AsText(0);
        episodes.SetFilter(TFilterExpression::Equals(QString::fromUtf8("Название"), id));
        episodes.SetFiltered(true);
        ReadAllFields(episodes);
        totals.SetFilter(TFilterExpression::Equals("ID", id));
        totals.SetFiltered(true);
        (void)FormatSize(totals.AsText(1));
        (void)FormatDuration(totals.AsInteger(2));
        const QString name = titles.Value(1).toString();
        titles.SetFiltered(false);
        titles.SetFilter(
            TFilterExpression::Prefix(QString::fromUtf8("Название"), name.left(3).toStdString()));
        titles.SetFiltered(true);
        // A missing name begins with nothing, as in SQL.
        FUZZ_REQUIRE(titles.RecordCount() >= 1 || titles.Value(1).isNull() || name.isEmpty(),
                     "a title's own name does not list it: " + name);
        titles.SetFiltered(false);
    }
}

void Browse(const QString& path) {
    TCatalogStore store;
    try {
        store.Open(path, TOpenMode::omReadOnly);
    } catch (const ECatalogError& e) {
        const std::string message = e.what();
        FUZZ_REQUIRE(message.rfind(path.toStdString() + ": ", 0) == 0, QString::fromStdString(message));
        return;
    }
    TRecordSource titles(TCatalogSchema::Titles());
    TRecordSource episodes(TCatalogSchema::Episodes());
    TRecordSource totals(TCatalogSchema::Totals());
    episodes.OnCalcFields = [](TRecordSource& source) { TEpisodeFields::Calculate(source); };
    try {
        titles.Open(store);
        episodes.Open(store);
        totals.Open(store);
        ReadAllFields(titles);
        ReadAllFields(episodes);
        ReadAllFields(totals);
        ShowEachTitle(titles, episodes, totals);
    } catch (const ECatalogError&) {
        // A damaged page shows when a table is read: refused, like a foreign file.
    } catch (const std::exception& e) {
        Unexpected(e.what());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    UseFixedLocale();
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = folder->filePath("catalogue.db");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const char* side : {"-journal", "-wal", "-shm"}) QFile::remove(path + side);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            std::abort();
    }
    Browse(path);
    FUZZ_REQUIRE(ReadAll(path) == bytes, "the catalogue file changed");
    // Reading starts no write, so it leaves no journal. A header that says write-ahead log makes
    // SQLite create an empty log and its index even for a reader; nothing goes into the log.
    FUZZ_REQUIRE(!QFile::exists(path + "-journal"), "a journal was left beside the catalogue");
    FUZZ_REQUIRE(!QFile::exists(path + "-wal") || QFileInfo(path + "-wal").size() == 0,
                 "the log was written");
    return 0;
}
