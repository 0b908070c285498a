#include "app/CatalogSchema.h"

#include <map>
#include <vector>

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "app/CatalogError.h"
#include "app/RowReader.h"
#include "app/SqlFailure.h"

namespace tolvane {

namespace {

TFieldDef Field(const char* name, TFieldKind kind, int size, bool readOnly, bool visible,
                const char* label = "", int width = 0) {
    TFieldDef f;
    f.Name = QString::fromUtf8(name);
    f.Kind = kind;
    f.Size = size;
    f.ReadOnly = readOnly || kind == TFieldKind::fkCalculated || kind == TFieldKind::fkAutoInc;
    f.Visible = visible;
    f.Label = QString::fromUtf8(label);
    f.DisplayWidth = width;
    return f;
}

using K = TFieldKind;

void Exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql)) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
}

} // namespace

QString TCatalogSchema::Quoted(const QString& identifier) {
    QString inner = identifier;
    inner.replace('"', "\"\"");
    return '"' + inner + '"';
}

const TSourceDef& TCatalogSchema::Titles() {
    static const TSourceDef def{"Sp",
                                "ID",
                                false,
                                {
                                    Field("ID", K::fkAutoInc, 0, true, false),
                                    Field("Название", K::fkWideText, 50, true, true),
                                    Field("Тип", K::fkWideText, 50, false, false),
                                    Field("Количество серий", K::fkWideText, 50, false, false),
                                    Field("Комментарий", K::fkWideText, 50, false, false),
                                }};
    return def;
}

const TSourceDef& TCatalogSchema::Episodes() {
    static const TSourceDef def{QString::fromUtf8("Серии"),
                                "ID",
                                false,
                                {
                                    Field("ID", K::fkAutoInc, 0, true, false),
                                    Field("Название", K::fkInteger, 0, false, false),
                                    Field("Серия", K::fkWideText, 50, false, true, "", 45),
                                    Field("Size", K::fkCalculated, 20, true, true, "Объём (байт)", 13),
                                    Field("Объём (байт)", K::fkLargeInt, 0, false, false, "", 13),
                                    Field("Размеры", K::fkCalculated, 10, true, true, "", 9),
                                    Field("Ширина", K::fkInteger, 0, false, false, "", 7),
                                    Field("Высота", K::fkInteger, 0, false, false, "", 8),
                                    Field("Time", K::fkCalculated, 20, true, true, "Длительность", 14),
                                    Field("Длительность", K::fkInteger, 0, false, false, "", 13),
                                    Field("Звук", K::fkWideText, 50, false, true, "", 5),
                                    Field("Субтитры встроенные", K::fkWideText, 50, false, true, "Суб In", 6),
                                    Field("Субтитры внешние", K::fkWideText, 50, false, true, "Ext", 5),
                                }};
    return def;
}

const TSourceDef& TCatalogSchema::Totals() {
    static const TSourceDef def{"Rjk",
                                "ID",
                                true,
                                {
                                    Field("Название", K::fkWideText, 50, true, true),
                                    Field("Sum-Объём(байт)", K::fkFloat, 0, true, true),
                                    Field("Sum-Длительность", K::fkFloat, 0, true, true),
                                    Field("ID", K::fkAutoInc, 0, true, true),
                                }};
    return def;
}

void TCatalogSchema::Create(QSqlDatabase& db) {
    Exec(db, QString::fromUtf8(R"sql(CREATE TABLE "Sp" (
        "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
        "Название" VARCHAR(50),
        "Тип" VARCHAR(50),
        "Количество серий" VARCHAR(50),
        "Комментарий" VARCHAR(50)))sql"));
    // Sizes are 64-bit: a video file of 2 GiB or more does not fit 32 bits.
    Exec(db, QString::fromUtf8(R"sql(CREATE TABLE "Серии" (
        "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
        "Название" INTEGER,
        "Серия" VARCHAR(50),
        "Объём (байт)" BIGINT,
        "Ширина" INTEGER,
        "Высота" INTEGER,
        "Длительность" INTEGER,
        "Звук" VARCHAR(50),
        "Субтитры встроенные" VARCHAR(50),
        "Субтитры внешние" VARCHAR(50)))sql"));
    // The totals view joins the episodes on their title; without this index every reading of
    // it builds one of its own.
    Exec(db, QString::fromUtf8(R"sql(CREATE INDEX "Серии по названию" ON "Серии" ("Название"))sql"));
    // One row per title; the left join leaves null sums for a title without episodes. Summing as
    // floating point cannot overflow.
    Exec(db, QString::fromUtf8(R"sql(CREATE VIEW "Rjk" AS
        SELECT s."Название" AS "Название",
               SUM(CAST(e."Объём (байт)" AS REAL)) AS "Sum-Объём(байт)",
               SUM(CAST(e."Длительность" AS REAL)) AS "Sum-Длительность",
               s."ID" AS "ID"
        FROM "Sp" s LEFT JOIN "Серии" e ON e."Название" = s."ID"
        GROUP BY s."ID")sql"));
}

namespace {

struct TExpectedObject {
    const TSourceDef& def;
    QStringList types; // "table", "view"

    bool Accepts(const QString& type) const { return types.contains(type); }
};

// The objects in the order they are checked, so that the first defect named is always the same.
// How the totals are produced, by a view or a table that the catalogue keeps up, is the
// catalogue's business.
std::vector<TExpectedObject> ExpectedObjects() {
    return {{TCatalogSchema::Titles(), {"table"}},
            {TCatalogSchema::Episodes(), {"table"}},
            {TCatalogSchema::Totals(), {"view", "table"}}};
}

struct TFoundObject {
    QString type;
    QSet<QString> columns;
};

// What is wrong with the object found under the expected one's name, or an empty text.
QString ObjectDefect(const std::map<QString, TFoundObject>& found, const TExpectedObject& e) {
    const auto it = found.find(e.def.Table);
    if (it == found.end() || !e.Accepts(it->second.type))
        return QString("no %1 \"%2\"").arg(e.types.join(" or "), e.def.Table);
    QStringList missing;
    for (const TFieldDef& f : e.def.Fields)
        if (f.IsStored() && !it->second.columns.contains(f.Name)) missing << '"' + f.Name + '"';
    if (!missing.isEmpty()) return QString("\"%1\" lacks %2").arg(e.def.Table, missing.join(", "));
    return {};
}

} // namespace

QString TCatalogSchema::Defect(QSqlDatabase& db) {
    // Object by object: slower, but an object that cannot be read (a view over a missing table,
    // say) is named only after the ones before it have been found sound.
    for (const TExpectedObject& e : ExpectedObjects()) {
        QSqlQuery q(db);
        if (!q.prepare("SELECT type FROM sqlite_master WHERE name = ?"))
            return TSqlFailure::Text(db, q.lastError());
        q.addBindValue(e.def.Table);
        if (!q.exec()) return TSqlFailure::Text(db, q.lastError());
        TFoundObject object;
        if (q.next()) object.type = q.value(0).toString();
        if (e.Accepts(object.type)) {
            QSqlQuery columns(db);
            if (!columns.exec("PRAGMA table_info(" + Quoted(e.def.Table) + ")"))
                return TSqlFailure::Text(db, columns.lastError());
            while (columns.next()) object.columns.insert(columns.value(1).toString());
        }
        const QString defect = ObjectDefect({{e.def.Table, object}}, e);
        if (!defect.isEmpty()) return defect;
    }
    return {};
}

std::optional<QString> TCatalogSchema::QuickDefect(QSqlDatabase& db, TDeclaredTypes* types) {
    QVariantList names;
    for (const TExpectedObject& e : ExpectedObjects()) names << e.def.Table;
    std::vector<TRowReader::TRow> rows;
    try {
        // Straight through SQLite: this is most of what opening a sound file costs.
        rows = TRowReader::Read(db,
                                "SELECT m.name, m.type, c.name, c.type FROM sqlite_master AS m "
                                "LEFT JOIN pragma_table_info(m.name) AS c WHERE m.name IN (?, ?, ?)",
                                4, {0, 1, 2, 3}, names);
    } catch (const ECatalogError&) {
        return std::nullopt;
    }
    std::map<QString, TFoundObject> found;
    TDeclaredTypes declared;
    for (const TRowReader::TRow& row : rows) {
        const QString name = row[0].toString();
        TFoundObject& object = found[name];
        object.type = row[1].toString();
        if (row[2].isNull()) continue;
        const QString column = row[2].toString();
        object.columns.insert(column);
        declared[name].insert(column, row[3].toString());
    }
    if (types) *types = std::move(declared);
    for (const TExpectedObject& e : ExpectedObjects())
        if (QString defect = ObjectDefect(found, e); !defect.isEmpty()) return defect;
    return QString();
}

} // namespace tolvane
