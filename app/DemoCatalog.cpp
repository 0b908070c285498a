#include "app/DemoCatalog.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>
#include <cstdint>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/NewCatalog.h"
#include "app/ServerConnection.h"
#include "app/SqlFailure.h"

namespace tolvane {

namespace {

// A small fixed generator, so that the catalogue does not depend on the standard library's
// distributions.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    // 0 <= result < n
    std::int64_t Below(std::int64_t n) {
        return static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(n));
    }
    std::int64_t Between(std::int64_t lo, std::int64_t hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T>
    const T& Pick(const QList<T>& list) {
        return list[Below(list.size())];
    }

private:
    std::uint64_t state_;
};

const QStringList kLatinHeads = {
    "Naruto",   "Nara",      "Natsume", "Neon",    "Ghost",   "Ghibli",   "Cowboy",  "Crystal",
    "Sailor",   "Samurai",   "Steel",   "Stellar", "Moon",    "Mononoke", "Spirit",  "Space",
    "Tokyo",    "Toradora",  "Akira",   "Aria",    "Berserk", "Blue",     "Black",   "Death",
    "Dragon",   "Fullmetal", "Hunter",  "Kiki",    "Lupin",   "Macross",  "Monster", "Ouran",
    "Patlabor", "Planetes",  "Serial",  "Trigun",  "Wolf",    "Yotsuba",  "Haikyu",  "Mushishi",
};
const QStringList kLatinTails = {
    "",      " Shippuden", " Alchemist", " Bebop",   " in the Shell", " Road",     " Stars",  " Gate",
    " Moon", " Champloo",  " Note",      " Lagoon",  " Express",      " Frontier", " Blade",  " Heart",
    " Zero", " Legends",   " Requiem",   " Diaries", " Dawn",         " Kingdom",  " Garden", " Rain",
};
const QStringList kCyrillicHeads = {
    "Наруто", "Нара",    "Наследие", "Ведьма", "Ветер",   "Весна", "Город",    "Голубая",
    "Дракон", "Девочка", "Звёздный", "Звезда", "Красный", "Кот",   "Лунная",   "Лесной",
    "Мастер", "Морской", "Небесный", "Ночной", "Призрак", "Путь",  "Стальной", "Тёмный",
};
const QStringList kCyrillicTails = {
    "",
    ": Ураганные хроники",
    " и дракон",
    " над облаками",
    " в доспехах",
    " путешествие",
    " тени",
    " из прошлого",
    " легенда",
    " ветров",
    " меча",
    " пустоты",
    " с окраины",
    " и мечта",
    " возвращение",
    " океана",
    " мечей",
    " снов",
};
const QStringList kApostropheNames = {
    "JoJo's Bizarre Adventure", "Hell's Paradise", "Kiki's Delivery Service", "Howl's Moving Castle",
    "Dragon's Dogma",           "Devil's Line",    "Maiden's Prayer",         "O'Brien's Journey",
    "D'Artagnan's Sword",       "Sailor's Log",
};

const QStringList kTypes = {"TV", "OVA", "Movie"};
const QStringList kAudio = {"AAC", "AC3", "FLAC", "DTS", "MP3", "Opus", "AAC 2.0 jpn", "AC3 5.1 rus+jpn"};
const QStringList kSubtitles = {"rus", "eng", "rus, eng", "jpn", "rus (ASS)", "eng (SRT)"};
const QStringList kComments = {
    "Смотреть",   "Пересмотреть", "Любимое", "Not yet watched", "Dub only", "Лучший перевод", "Без цензуры",
    "Remastered", "BD",           "DVD"};
const QStringList kExtensions = {".mkv", ".avi", ".mp4"};

struct TFrame {
    int width;
    int height;
};
const QList<TFrame> kFrames = {{640, 480},  {704, 396},   {720, 480},   {848, 480},
                               {1280, 720}, {1440, 1080}, {1920, 1080}, {3840, 2160}};

QString TitleName(TRandom& random, int index) {
    QString name;
    if (index % 25 == 7) {
        name = kApostropheNames[(index / 25) % kApostropheNames.size()];
    } else if (random.Chance(45)) {
        name = random.Pick(kCyrillicHeads) + random.Pick(kCyrillicTails);
    } else {
        name = random.Pick(kLatinHeads) + random.Pick(kLatinTails);
    }
    if (random.Chance(25)) name += QString(" %1").arg(random.Between(2, 5));
    return name.left(50);
}

void Exec(QSqlQuery& q) {
    if (!q.exec()) throw ECatalogError(TSqlFailure::Text(q.lastError()));
}

void Fill(QSqlDatabase& db) {
    TRandom random(0x5EED2024u);
    QSqlQuery title(db);
    // A server tells the new key through RETURNING; Qt's driver knows no last insert ID there.
    const bool server = TServerConnection::IsServer(db);
    title.prepare(
        QString::fromUtf8(
            R"sql(INSERT INTO "Sp" ("Название", "Тип", "Количество серий", "Комментарий") VALUES (?, ?, ?, ?))sql") +
        (server ? " RETURNING \"ID\"" : ""));
    QSqlQuery episode(db);
    episode.prepare(
        QString::fromUtf8(R"sql(INSERT INTO "Серии" ("Название", "Серия", "Объём (байт)", "Ширина",
        "Высота", "Длительность", "Звук", "Субтитры встроенные", "Субтитры внешние")
        VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?))sql"));

    for (int i = 0; i < TDemoCatalog::TitleCount; ++i) {
        const QString type = kTypes[i % kTypes.size()];
        const QString name = TitleName(random, i);
        int episodes;
        if (i % 17 == 5) {
            episodes = 0;
        } else if (type == "Movie") {
            episodes = static_cast<int>(random.Between(1, 3));
        } else if (type == "OVA") {
            episodes = static_cast<int>(random.Between(1, 8));
        } else {
            episodes = static_cast<int>(random.Between(10, 26));
        }
        const QString count = random.Chance(10) ? QString("%1+1").arg(episodes) : QString::number(episodes);

        title.bindValue(0, name);
        title.bindValue(1, type);
        title.bindValue(2, count);
        title.bindValue(3, random.Chance(40) ? QVariant(random.Pick(kComments)) : QVariant());
        Exec(title);
        const qlonglong titleId =
            server ? (title.next() ? title.value(0).toLongLong() : 0) : title.lastInsertId().toLongLong();

        const QString extension = random.Pick(kExtensions);
        const bool frameKnown = !random.Chance(12);
        const TFrame frame = random.Pick(kFrames);
        const QString audio = random.Pick(kAudio);
        for (int e = 1; e <= episodes; ++e) {
            qint64 size;
            qint64 duration;
            if (type == "Movie") {
                size = random.Between(1'400'000'000LL, 12'000'000'000LL); // many above 4 GiB
                duration = random.Between(75 * 60'000, 160 * 60'000);
            } else if (type == "OVA") {
                size = random.Between(180'000'000LL, 2'600'000'000LL);
                duration = random.Between(24 * 60'000, 52 * 60'000);
            } else {
                size = random.Between(120'000'000LL, 1'600'000'000LL);
                duration = random.Between(22 * 60'000, 25 * 60'000);
            }
            const QString file =
                QString("%1 - %2%3").arg(name.left(40)).arg(e, 2, 10, QChar('0')).arg(extension);
            episode.bindValue(0, titleId);
            episode.bindValue(1, file.left(50));
            episode.bindValue(2, size);
            episode.bindValue(3, frameKnown ? QVariant(frame.width) : QVariant());
            episode.bindValue(4, frameKnown ? QVariant(frame.height) : QVariant());
            episode.bindValue(5, duration);
            episode.bindValue(6, audio);
            episode.bindValue(7, random.Chance(60) ? QVariant(random.Pick(kSubtitles)) : QVariant());
            episode.bindValue(8, random.Chance(30) ? QVariant(random.Pick(kSubtitles)) : QVariant());
            Exec(episode);
        }
    }
}

} // namespace

void TDemoCatalog::Create(const QString& path) {
    TNewCatalog::Create(path, [](QSqlDatabase& db) { Fill(db); });
}

} // namespace tolvane
