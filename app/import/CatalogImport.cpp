#include "app/import/CatalogImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <atomic>
#include <cmath>
#include <limits>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/NewCatalog.h"
#include "app/SqlFailure.h"

namespace tolvane {

namespace {

enum class TValueKind { vkKey, vkInteger, vkLargeInt, vkText };

// A stored field of a source table and what its values must be.
struct TFieldMap {
    QString name;
    TValueKind kind;
};

// Why a value does not fit the field, or an empty text; the converted value goes to out.
QString Convert(const QVariant& value, TValueKind kind, QVariant& out) {
    if (value.isNull()) {
        out = QVariant();
        return kind == TValueKind::vkKey ? "no key" : QString();
    }
    if (kind == TValueKind::vkText) {
        out = value.typeId() == QMetaType::Double ? QVariant(QString::number(value.toDouble(), 'g', 17))
                                                  : QVariant(value.toString());
        return {};
    }
    const qlonglong limit = kind == TValueKind::vkLargeInt ? std::numeric_limits<qlonglong>::max()
                                                           : std::numeric_limits<qint32>::max();
    qlonglong v = 0;
    bool ok = false;
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        ok = std::isfinite(d) && d == std::floor(d) && std::fabs(d) <= 9.0e18;
        if (ok) v = static_cast<qlonglong>(d);
    } else if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        v = text.toLongLong(&ok);
        ok = ok && text.trimmed() == text;
    } else {
        v = value.toLongLong(&ok);
    }
    if (!ok) return "\"" + value.toString() + "\" is not a whole number";
    if (v > limit || v < -limit - 1) return value.toString() + " is out of range";
    out = QVariant(v);
    return {};
}

std::vector<TFieldMap> FieldsOf(const TSourceDef& def) {
    std::vector<TFieldMap> fields;
    for (const TFieldDef& f : def.Fields) {
        if (!f.IsStored()) continue;
        TValueKind kind = TValueKind::vkText;
        if (f.Kind == TFieldKind::fkAutoInc) kind = TValueKind::vkKey;
        if (f.Kind == TFieldKind::fkInteger) kind = TValueKind::vkInteger;
        if (f.Kind == TFieldKind::fkLargeInt || f.Kind == TFieldKind::fkFloat) kind = TValueKind::vkLargeInt;
        fields.push_back({f.Name, kind});
    }
    return fields;
}

// The positions of the fields in the source's columns; throws naming what is missing.
std::vector<int> Locate(TTableSource& source, const QString& sourceName, const QString& table,
                        const std::vector<TFieldMap>& fields) {
    if (!source.Tables().contains(table)) throw ECatalogError(sourceName + ": no table \"" + table + "\"");
    const QStringList columns = source.Columns(table);
    std::vector<int> positions;
    QStringList missing;
    for (const TFieldMap& f : fields) {
        positions.push_back(static_cast<int>(columns.indexOf(f.name)));
        if (positions.back() < 0) missing << '"' + f.name + '"';
    }
    if (!missing.isEmpty())
        throw ECatalogError(sourceName + ": table \"" + table + "\" lacks " + missing.join(", "));
    return positions;
}

// Rows read of all, told and asked about every so many rows.
struct TRowCount {
    const TImportProgress& progress;
    long long total = -1;
    long long done = 0;

    void Step(const QString& table) {
        ++done;
        if (done % 64 != 1) return;
        if (progress.Cancelled && progress.Cancelled()) throw EImportCancelled();
        if (progress.Report) progress.Report(done, total, table);
    }
};

void CopyTable(TTableSource& source, const QString& sourceName, const TSourceDef& def, TNewCatalog& catalogue,
               TImportedTable& report, TRowCount& count) {
    const std::vector<TFieldMap> fields = FieldsOf(def);
    const std::vector<int> positions = Locate(source, sourceName, def.Table, fields);
    QStringList names, marks;
    for (const TFieldMap& f : fields) {
        names << TCatalogSchema::Quoted(f.name);
        marks << "?";
    }
    QSqlDatabase db = catalogue.Database();
    QSqlQuery insert(db);
    if (!insert.prepare("INSERT INTO " + TCatalogSchema::Quoted(def.Table) + " (" + names.join(", ") +
                        ") VALUES (" + marks.join(", ") + ")"))
        throw ECatalogError(TSqlFailure::Text(insert.lastError()));

    report.Table = def.Table;
    QSet<qlonglong> keys;
    std::vector<QVariant> values(fields.size());
    source.ReadRows(def.Table, [&](const TTableSource::TRow& row) {
        count.Step(def.Table);
        const int position = ++report.Read;
        QString problem;
        for (std::size_t i = 0; i < fields.size() && problem.isEmpty(); ++i) {
            const auto at = static_cast<std::size_t>(positions[i]);
            const QVariant value = at < row.size() ? row[at] : QVariant();
            const QString why = Convert(value, fields[i].kind, values[i]);
            if (!why.isEmpty())
                problem = "\"" + fields[i].name + "\": " + why;
            else if (fields[i].kind == TValueKind::vkKey && keys.contains(values[i].toLongLong()))
                problem = "\"" + fields[i].name + "\": duplicate key " + values[i].toString();
        }
        if (!problem.isEmpty()) {
            report.Skipped << QString("row %1: %2").arg(position).arg(problem);
            return;
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            insert.bindValue(static_cast<int>(i), values[i]);
            if (fields[i].kind == TValueKind::vkKey) keys.insert(values[i].toLongLong());
        }
        if (!insert.exec()) {
            const QString failure = TSqlFailure::Text(insert.lastError());
            catalogue.RollBack();
            throw ECatalogError(failure);
        }
    });
}

} // namespace

std::vector<TImportedTable> TCatalogImport::Run(TTableSource& source, const QString& sourceName,
                                                const QString& target, const TImportProgress& progress) {
    // A new file is written under a temporary name and renamed at the end, a server's empty
    // database in one transaction: a failure leaves nothing behind, and the target never holds
    // half a catalogue.
    TNewCatalog catalogue(target);
    std::vector<TImportedTable> reports(2);
    try {
        QSqlDatabase db = catalogue.Database();
        TCatalogSchema::Create(db);
        TRowCount count{progress};
        if (progress.Report) {
            const QStringList tables = source.Tables();
            long long total = 0;
            for (const TSourceDef* def : {&TCatalogSchema::Titles(), &TCatalogSchema::Episodes()}) {
                // A missing table is reported by the copy, with what else is missing.
                const long long rows = tables.contains(def->Table) ? source.RowCount(def->Table) : -1;
                total = rows < 0 || total < 0 ? -1 : total + rows;
            }
            count.total = total;
        }
        CopyTable(source, sourceName, TCatalogSchema::Titles(), catalogue, reports[0], count);
        CopyTable(source, sourceName, TCatalogSchema::Episodes(), catalogue, reports[1], count);
        if (progress.Cancelled && progress.Cancelled()) throw EImportCancelled();
    } catch (const EImportCancelled&) {
        throw;
    } catch (const std::exception& e) {
        const QString error = QString::fromUtf8(e.what());
        throw ECatalogError(error.startsWith(sourceName + ":") ? error : catalogue.Failure(error));
    }
    catalogue.Commit();
    return reports;
}

} // namespace tolvane
