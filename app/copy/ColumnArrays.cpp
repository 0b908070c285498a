#include "app/copy/ColumnArrays.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cmath>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/SqlFailure.h"

namespace tolvane {

namespace {

// A column's type as the server declares it, "character varying(50)" or "integer".
QString ColumnType(const QSqlDatabase& db, const QString& table, const QString& column) {
    QSqlQuery q(db);
    q.prepare("SELECT format_type(atttypid, atttypmod) FROM pg_attribute "
              "WHERE attrelid = CAST(? AS regclass) AND attname = ? AND NOT attisdropped");
    q.addBindValue(TCatalogSchema::Quoted(table));
    q.addBindValue(column);
    if (!q.exec()) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
    if (!q.next()) throw ECatalogError("\"" + table + "\" has no column \"" + column + "\"");
    return q.value(0).toString();
}

bool WholeNumber(TFieldKind kind) {
    return kind == TFieldKind::fkAutoInc || kind == TFieldKind::fkInteger || kind == TFieldKind::fkLargeInt;
}

// The value's text as a literal of its own would give it to the server.
QString TextOf(const QVariant& value, TFieldKind kind) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (WholeNumber(kind) && std::isfinite(d)) return QString::number(std::llround(d));
        return value.toString();
    }
    case QMetaType::QByteArray:
        // As a blob's escaped form (what a bound blob becomes in a text column).
        return "\\x" + QString::fromLatin1(value.toByteArray().toHex());
    default:
        return value.toString();
    }
}

} // namespace

QString TColumnArrays::Insert(const QSqlDatabase& db, const TSourceDef& def) {
    QStringList columns, arrays;
    for (const TFieldDef& f : def.Fields) {
        if (!f.IsStored()) continue;
        columns << TCatalogSchema::Quoted(f.Name);
        arrays << "unnest(CAST(? AS " + ColumnType(db, def.Table, f.Name) + "[]))";
    }
    // Side by side in the select list, the arrays are taken apart together row by row; in FROM,
    // the server would first gather their rows in a store of its own.
    return "INSERT INTO " + TCatalogSchema::Quoted(def.Table) + " (" + columns.join(", ") + ") SELECT " +
           arrays.join(", ");
}

QString TColumnArrays::Literal(const QVariantList& values, int width, int column, TFieldKind kind) {
    QString text;
    text.reserve(values.size() / width * 16 + 2);
    text += '{';
    for (qsizetype i = column; i < values.size(); i += width) {
        if (i != column) text += ',';
        const QVariant& value = values[i];
        if (value.isNull()) {
            text += QLatin1String("NULL");
            continue;
        }
        const QString* held =
            value.typeId() == QMetaType::QString ? static_cast<const QString*>(value.constData()) : nullptr;
        const QString own = held ? QString() : TextOf(value, kind);
        const QString& item = held ? *held : own;
        text += '"';
        if (!item.contains('"') && !item.contains('\\')) {
            text += item;
        } else {
            for (const QChar c : item) {
                if (c == '"' || c == '\\') text += '\\';
                text += c;
            }
        }
        text += '"';
    }
    text += '}';
    return text;
}

} // namespace tolvane
