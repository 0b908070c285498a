#include "app/scan/FolderScan.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <vector>

#include "app/CatalogError.h"
#include "app/CatalogStore.h"
#include "app/ServerConnection.h"
#include "app/SqlFailure.h"
#include "app/TitleFolders.h"
#include "app/WriteTransaction.h"
#include "app/scan/ProbePool.h"
#include "app/scan/NaturalOrder.h"

namespace tolvane {

namespace {

const QStringList kVideoExtensions = {"mkv",  "mp4", "m4v", "avi", "mov", "wmv", "webm", "mpg", "mpeg", "ts",
                                      "m2ts", "vob", "ogm", "ogv", "flv", "3gp", "divx", "rm",  "rmvb"};
const QStringList kSubtitleExtensions = {"srt", "ass", "ssa", "sub", "idx", "vtt", "smi", "sup"};

struct TFound {
    QString name;
    TMediaFacts facts;
};

QVariant Optional(const auto& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

QVariant Text(const QString& text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

void Exec(const QSqlDatabase& db, QSqlQuery& q) {
    if (!q.exec()) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
}

// The title's ID and the file names it lists, or ID 0 for a title not in the catalogue.
std::int64_t FindTitle(QSqlDatabase& db, const QString& name, QSet<QString>& episodes) {
    QSqlQuery title(db);
    title.prepare(
        QString::fromUtf8(R"sql(SELECT "ID" FROM "Sp" WHERE "Название" = ? ORDER BY "ID" LIMIT 1)sql"));
    title.addBindValue(name);
    Exec(db, title);
    if (!title.next()) return 0;
    const std::int64_t id = title.value(0).toLongLong();
    QSqlQuery files(db);
    files.prepare(QString::fromUtf8(R"sql(SELECT "Серия" FROM "Серии" WHERE "Название" = ?)sql"));
    files.addBindValue(QVariant::fromValue<qlonglong>(id));
    Exec(db, files);
    while (files.next()) episodes.insert(files.value(0).toString());
    return id;
}

// Adds what the catalogue does not list yet. What it lists is read again under the write lock:
// another writer (a second scan of the folder) may have added the title or its files since the
// folder was read, and whatever it added is not added twice.
void Write(QSqlDatabase& db, const TScanRequest& request, const std::vector<TFound>& found,
           TScanResult& result, const TFolderScan::TCancelled& cancelled) {
    TWriteTransaction transaction(db);
    QSet<QString> listed;
    result.TitleId = FindTitle(db, request.Title, listed);
    std::vector<const TFound*> fresh;
    for (const TFound& f : found) {
        if (listed.contains(f.name))
            ++result.Present;
        else
            fresh.push_back(&f);
    }
    if (fresh.empty()) {
        // Nothing new, but the title's folder is known from now on.
        if (result.TitleId != 0) {
            TTitleFolders::Record(db, result.TitleId, QFileInfo(request.Folder).absoluteFilePath());
            if (cancelled && cancelled()) throw EScanCancelled();
            transaction.Commit();
        }
        return;
    }
    if (result.TitleId == 0) {
        QSqlQuery title(db);
        // A server tells the new key through RETURNING; Qt's driver knows no last insert ID there.
        const bool server = TServerConnection::IsServer(db);
        title.prepare(
            QString::fromUtf8(
                R"sql(INSERT INTO "Sp" ("Название", "Тип", "Количество серий") VALUES (?, ?, ?))sql") +
            (server ? " RETURNING \"ID\"" : ""));
        title.addBindValue(request.Title);
        title.addBindValue(Text(request.Type));
        title.addBindValue(QString::number(fresh.size()));
        Exec(db, title);
        result.TitleId =
            server ? (title.next() ? title.value(0).toLongLong() : 0) : title.lastInsertId().toLongLong();
        result.NewTitle = true;
    }
    QSqlQuery episode(db);
    episode.prepare(
        QString::fromUtf8(R"sql(INSERT INTO "Серии" ("Название", "Серия", "Объём (байт)", "Ширина",
        "Высота", "Длительность", "Звук", "Субтитры встроенные", "Субтитры внешние")
        VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?))sql"));
    for (const TFound* f : fresh) {
        episode.bindValue(0, QVariant::fromValue<qlonglong>(result.TitleId));
        episode.bindValue(1, f->name);
        episode.bindValue(2, QVariant::fromValue<qlonglong>(f->facts.Size));
        episode.bindValue(3, Optional(f->facts.Width));
        episode.bindValue(4, Optional(f->facts.Height));
        episode.bindValue(5, f->facts.Duration ? QVariant::fromValue<qlonglong>(*f->facts.Duration) : QVariant());
        episode.bindValue(6, Text(f->facts.Audio));
        episode.bindValue(7, Text(f->facts.EmbeddedSubtitles));
        episode.bindValue(8, Text(f->facts.ExternalSubtitles));
        Exec(db, episode);
        result.AddedIds.push_back(episode.lastInsertId().toLongLong());
    }
    episode.finish();
    TTitleFolders::Record(db, result.TitleId, QFileInfo(request.Folder).absoluteFilePath());
    if (cancelled && cancelled()) throw EScanCancelled();
    transaction.Commit();
    result.Added = static_cast<int>(fresh.size());
}

// A folder's subtitle files, sorted by name so that those of one video are found by their common
// beginning: a folder of a thousand episodes and their subtitles is not searched a thousand times.
class TSubtitleFiles {
public:
    explicit TSubtitleFiles(const QStringList& folderFiles) {
        for (qsizetype k = 0; k < folderFiles.size(); ++k) {
            const QString& file = folderFiles[k];
            if (kSubtitleExtensions.contains(file.section('.', -1).toLower())) files_.push_back({file, k});
        }
        std::sort(files_.begin(), files_.end(), [](const TFile& a, const TFile& b) { return a.name < b.name; });
    }

    // "<base>.<ext>" or "<base>.<language>.<ext>" as "SRT" or "SRT rus", in the folder's order.
    QString Of(const QString& videoName) const {
        const QString stem = QFileInfo(videoName).completeBaseName() + '.';
        std::vector<const TFile*> found;
        auto at = std::lower_bound(files_.begin(), files_.end(), stem,
                                   [](const TFile& f, const QString& s) { return f.name < s; });
        for (; at != files_.end() && at->name.startsWith(stem); ++at) {
            const qsizetype dots = QStringView(at->name).mid(stem.size()).count(u'.');
            if (dots > 1) continue;
            if (dots == 1 && at->name.at(stem.size()) == '.') continue; // an empty language
            found.push_back(&*at);
        }
        std::sort(found.begin(), found.end(), [](const TFile* a, const TFile* b) { return a->order < b->order; });
        QStringList names;
        for (const TFile* f : found) {
            const QStringList rest = f->name.mid(stem.size()).split('.');
            names << (rest.last().toUpper() + (rest.size() == 2 ? ' ' + rest.first() : QString()));
        }
        return names.join(", ");
    }

private:
    struct TFile {
        QString name;
        qsizetype order; // its place among the folder's files
    };
    std::vector<TFile> files_;
};

} // namespace

bool TFolderScan::IsVideo(const QString& fileName) {
    return kVideoExtensions.contains(QFileInfo(fileName).suffix().toLower());
}

QString TFolderScan::ExternalSubtitles(const QString& videoName, const QStringList& folderFiles) {
    return TSubtitleFiles(folderFiles).Of(videoName);
}

TScanResult TFolderScan::Run(const TScanRequest& request, const TProgress& progress,
                             const TCancelled& cancelled) {
    const QFileInfo folderInfo(request.Folder);
    if (!folderInfo.exists()) throw ECatalogError(request.Folder + ": no such folder");
    if (!folderInfo.isDir()) throw ECatalogError(request.Folder + ": not a folder");
    if (request.Title.trimmed().isEmpty()) throw ECatalogError("the title needs a name");
    const QDir folder(request.Folder);
    if (!folder.isReadable()) throw ECatalogError(request.Folder + ": permission denied");

    const QStringList files = folder.entryList(QDir::Files | QDir::Hidden);
    QStringList videos;
    for (const QString& f : files)
        if (IsVideo(f)) videos << f;
    if (videos.isEmpty()) throw ECatalogError(request.Folder + ": no video files");
    NaturalSort(videos);

    TCatalogStore store;
    store.Open(request.Catalogue, TOpenMode::omReadWrite);
    if (store.ReadOnly()) throw ECatalogError(store.Failure("read-only"));
    QSqlDatabase db = store.Database();

    TScanResult result;
    // Read without the lock, only to leave the files listed already unread: the folder may take
    // long to read, and other writers go on meanwhile.
    QSet<QString> listed;
    result.TitleId = FindTitle(db, request.Title, listed);

    // The files to read, by their place among the folder's videos.
    std::vector<int> unread;
    QStringList paths;
    for (int k = 0; k < videos.size(); ++k) {
        if (listed.contains(videos[k])) {
            ++result.Present;
            continue;
        }
        unread.push_back(k);
        paths << folder.filePath(videos[k]);
    }
    if (!unread.empty() && cancelled && cancelled()) throw EScanCancelled();
    const std::optional<std::vector<TProbed>> probed = TProbePool::Read(
        paths, request.Threads,
        [&](int at) {
            const int k = unread[std::size_t(at)];
            if (progress) progress(k + 1, static_cast<int>(videos.size()), videos[k]);
        },
        cancelled);
    if (!probed) throw EScanCancelled();

    const TSubtitleFiles subtitles(files);
    std::vector<TFound> found;
    QString firstProblem;
    const auto skip = [&](const QString& name, const QString& why) {
        result.Skipped << folder.filePath(name) + ": " + why;
        if (firstProblem.isEmpty()) firstProblem = name + ": " + why;
    };
    for (std::size_t i = 0; i < unread.size(); ++i) {
        const QString& name = videos[unread[i]];
        const TProbed& read = (*probed)[i];
        if (!read.Facts) {
            skip(name, read.Problem);
            continue;
        }
        // Its facts would be those of the part that is there, as if it were whole.
        if (read.Facts->Truncated) {
            skip(name, "truncated, skipped");
            continue;
        }
        found.push_back({name, *read.Facts});
        found.back().facts.ExternalSubtitles = subtitles.Of(name);
    }
    // The one error line says why, for the first file at least.
    if (found.empty() && result.Present == 0)
        throw ECatalogError(request.Folder + ": no readable video files (" + firstProblem +
                            (result.Skipped.size() > 1
                                 ? QString(", and %1 more").arg(result.Skipped.size() - 1)
                                 : QString()) +
                            ")");
    // A folder whose files are all listed already is still recorded as the title's.
    if (!found.empty() || result.Present > 0) {
        try {
            Write(db, request, found, result, cancelled);
        } catch (const EScanCancelled&) {
            throw;
        } catch (const ECatalogError& e) {
            throw ECatalogError(store.Failure(QString::fromUtf8(e.what())));
        }
    }
    return result;
}

} // namespace tolvane
