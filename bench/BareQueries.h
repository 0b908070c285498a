#pragma once
// The bare queries the catalogue benchmarks measure the viewer against: the rows the window
// shows, fetched through Qt SQL alone into plain vectors.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <vector>

#include "BenchCatalog.h"

namespace bench {

struct TTitleRow {
    qlonglong Id;
    QString Name;
};

struct TEpisodeRow {
    qlonglong Id, Title, Size, Width, Height, Duration;
    QString File, Audio, Embedded, External;
};

struct TTotalsRow {
    QString Name;
    double Size, Duration;
    qlonglong Id;
};

// The titles a prefix selects (all of them for an empty prefix).
std::vector<TTitleRow> BareTitles(QSqlDatabase& db, const QString& prefix) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (prefix.isEmpty()) {
        query.prepare(QString::fromUtf8(R"sql(SELECT "ID", "Название" FROM "Sp")sql"));
    } else {
        query.prepare(
            QString::fromUtf8(R"sql(SELECT "ID", "Название" FROM "Sp" WHERE "Название" LIKE ?)sql"));
        query.addBindValue(prefix + "%");
    }
    Exec(query);
    std::vector<TTitleRow> rows;
    while (query.next()) rows.push_back({query.value(0).toLongLong(), query.value(1).toString()});
    return rows;
}

std::vector<TEpisodeRow> BareEpisodes(QSqlDatabase& db, qlonglong title) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QString::fromUtf8(
        R"sql(SELECT "ID", "Название", "Серия", "Объём (байт)", "Ширина", "Высота", "Длительность", "Звук", "Субтитры встроенные", "Субтитры внешние" FROM "Серии" WHERE "Название" = ?)sql"));
    query.addBindValue(title);
    Exec(query);
    std::vector<TEpisodeRow> rows;
    while (query.next())
        rows.push_back({query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(3).toLongLong(),
                        query.value(4).toLongLong(), query.value(5).toLongLong(), query.value(6).toLongLong(),
                        query.value(2).toString(), query.value(7).toString(), query.value(8).toString(),
                        query.value(9).toString()});
    return rows;
}

std::vector<TTotalsRow> BareTotals(QSqlDatabase& db, qlonglong title) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QString::fromUtf8(R"sql(SELECT * FROM "Rjk" WHERE "ID" = ?)sql"));
    query.addBindValue(title);
    Exec(query);
    std::vector<TTotalsRow> rows;
    while (query.next())
        rows.push_back({query.value(0).toString(), query.value(1).toDouble(), query.value(2).toDouble(),
                        query.value(3).toLongLong()});
    return rows;
}

} // namespace bench
