// Catalogue benchmark: one search keystroke in the window (search text set, title grid refilled,
// first title shown) on a generated catalogue of 100 000 titles, against the bare SQLite query
// fetching the same rows into a vector.

#include <QApplication>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

#include "BenchUtil.h"
#include "app/CatalogForm.h"
#include "app/CatalogSchema.h"

using namespace tolvane;

namespace {

constexpr int TitleCount = 100000;

void Exec(QSqlQuery& query) {
    if (!query.exec()) throw std::runtime_error(query.lastError().text().toStdString());
}

// A catalogue of TitleCount titles with up to three episodes each, names spread over the alphabet.
void Generate(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-generate");
        db.setDatabaseName(path);
        if (!db.open()) throw std::runtime_error("cannot create " + path.toStdString());
        TCatalogSchema::Create(db);
        db.transaction();
        QSqlQuery title(db), episode(db);
        title.prepare(QString::fromUtf8(
            R"sql(INSERT INTO "Sp" ("Название", "Тип", "Количество серий", "Комментарий") VALUES (?, ?, ?, ?))sql"));
        episode.prepare(QString::fromUtf8(
            R"sql(INSERT INTO "Серии" ("Название", "Серия", "Объём (байт)", "Ширина", "Высота", "Длительность", "Звук", "Субтитры встроенные", "Субтитры внешние") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?))sql"));
        std::mt19937 random(7);
        for (int i = 0; i < TitleCount; ++i) {
            QString name = QChar('A' + int(random() % 26)) + QString("itle %1").arg(i);
            title.addBindValue(name);
            title.addBindValue(i % 3 == 0 ? "TV" : i % 3 == 1 ? "OVA" : "Movie");
            title.addBindValue(QString::number(i % 26));
            title.addBindValue(QString());
            Exec(title);
            const qlonglong id = title.lastInsertId().toLongLong();
            for (int e = 0; e < int(random() % 4); ++e) {
                episode.addBindValue(id);
                episode.addBindValue(QString("%1 - %2.mkv").arg(name).arg(e + 1));
                episode.addBindValue(qlonglong(300000000) + qlonglong(random() % 5000000000LL));
                episode.addBindValue(1920);
                episode.addBindValue(1080);
                episode.addBindValue(int(1200000 + random() % 600000));
                episode.addBindValue("jpn");
                episode.addBindValue("eng");
                episode.addBindValue("");
                Exec(episode);
            }
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-generate");
}

struct TTitleRow {
    qlonglong Id;
    QString Name;
};

// The baseline: the titles a prefix selects, straight from SQLite into a vector.
std::vector<TTitleRow> BareQuery(QSqlDatabase& db, const QString& prefix) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (prefix.isEmpty()) {
        query.prepare(QString::fromUtf8(R"sql(SELECT "ID", "Название" FROM "Sp")sql"));
    } else {
        query.prepare(QString::fromUtf8(R"sql(SELECT "ID", "Название" FROM "Sp" WHERE "Название" LIKE ?)sql"));
        query.addBindValue(prefix + "%");
    }
    Exec(query);
    std::vector<TTitleRow> rows;
    while (query.next()) rows.push_back({query.value(0).toLongLong(), query.value(1).toString()});
    return rows;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.db");
    std::printf("Generating a catalogue of %d titles...\n", TitleCount);
    double generate = bench::TimeOnce([&] { Generate(path); });
    std::printf("  generated in %.0f ms\n", generate);

    double open = 0;
    std::unique_ptr<TCatalogForm> form;
    open = bench::TimeOnce([&] { form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly); });
    std::printf("  window opened (all titles listed, first shown) in %.1f ms\n", open);

    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-baseline");
    db.setDatabaseName(path);
    db.setConnectOptions("QSQLITE_OPEN_READONLY");
    db.open();

    bench::Heading("5. One search keystroke on 100 000 titles", "window", "bare SQLite");
    for (QString prefix : {QString("K"), QString()}) {
        // From the other state to this one, so every keystroke changes the list.
        const QString other = prefix.isEmpty() ? "K" : "";
        double ours = bench::BestOf(
            5, [&] { form->EFound->setText(prefix); }, [&] { form->EFound->setText(other); });
        size_t count = 0;
        double theirs = bench::BestOf(5, [&] { count = BareQuery(db, prefix).size(); });
        bench::Row(prefix.isEmpty() ? "clearing the search (" + std::to_string(count) + " titles)"
                                    : "one-letter prefix \"K\" (" + std::to_string(count) + " titles)",
                   ours, theirs);
    }
    form.reset();
    db.close();
    return 0;
}
