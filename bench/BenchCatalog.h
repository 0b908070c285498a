#pragma once
// The generated catalogue of 100 000 titles and about 600 000 episodes the catalogue benchmarks
// share, made once and kept beside the benchmark programs.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <stdexcept>
#include <vector>

#include "BenchUtil.h"
#include "app/CatalogSchema.h"

namespace bench {

constexpr int TitleCount = 100000;
// Bump when the generated catalogue changes, so that a cached one is made again.
inline const QString CatalogName = "bench-catalog-100k-v3.db";

inline void Exec(QSqlQuery& query) {
    if (!query.exec()) throw std::runtime_error(query.lastError().text().toStdString());
}

inline void Exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.exec(sql)) throw std::runtime_error(query.lastError().text().toStdString());
}

// TitleCount titles with 0 to 11 episodes each, names spread over the alphabet.
inline void Generate(const QString& path) {
    const QString temporary = path + ".part";
    QFile::remove(temporary);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-generate");
        db.setDatabaseName(temporary);
        if (!db.open()) throw std::runtime_error("cannot create " + temporary.toStdString());
        tolvane::TCatalogSchema::Create(db);
        Exec(db, "PRAGMA journal_mode = OFF");
        Exec(db, "PRAGMA synchronous = OFF");
        db.transaction();
        QSqlQuery title(db), episode(db);
        title.prepare(QString::fromUtf8(
            R"sql(INSERT INTO "Sp" ("ID", "Название", "Тип", "Количество серий", "Комментарий") VALUES (?, ?, ?, ?, ?))sql"));
        episode.prepare(QString::fromUtf8(
            R"sql(INSERT INTO "Серии" ("Название", "Серия", "Объём (байт)", "Ширина", "Высота", "Длительность", "Звук", "Субтитры встроенные", "Субтитры внешние") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?))sql"));
        std::mt19937 random(7);
        std::vector<std::pair<int, int>> episodes; // title, number
        for (int i = 0; i < TitleCount; ++i) {
            const QString name = QChar('A' + int(random() % 26)) + QString("itle %1").arg(i);
            title.addBindValue(i + 1);
            title.addBindValue(name);
            title.addBindValue(i % 3 == 0 ? "TV" : i % 3 == 1 ? "OVA" : "Movie");
            title.addBindValue(QString::number(i % 26));
            title.addBindValue(QString());
            Exec(title);
            const int count = int(random() % 12);
            for (int e = 0; e < count; ++e) episodes.emplace_back(i + 1, e + 1);
        }
        // Episodes arrive over the years, not title by title.
        std::shuffle(episodes.begin(), episodes.end(), random);
        for (const auto& [id, number] : episodes) {
            episode.addBindValue(id);
            episode.addBindValue(QString("Title %1 - %2.mkv").arg(id).arg(number));
            episode.addBindValue(qlonglong(300000000) + qlonglong(random() % 5000000000LL));
            episode.addBindValue(1920);
            episode.addBindValue(1080);
            episode.addBindValue(int(1200000 + random() % 600000));
            episode.addBindValue("jpn");
            episode.addBindValue("eng");
            episode.addBindValue("");
            Exec(episode);
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-generate");
    QFile::rename(temporary, path);
}

inline QString Cached(const QString& name, const std::function<void(const QString&)>& make) {
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (!QFile::exists(path)) {
        std::printf("Generating %s...\n", qPrintable(name));
        const double ms = TimeOnce([&] { make(path); });
        std::printf("  generated in %.0f ms\n", ms);
    }
    return path;
}

} // namespace bench
