#include "app/export/CatalogExport.h"

#include <map>
#include <vector>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"
#include "app/EpisodeFields.h"
#include "app/FilterExpression.h"
#include "app/RecordSource.h"

namespace tolvane {

namespace {

void AddColumn(TExportTable& table, const TFieldDef& field) {
    table.Header.push_back(field.Name.toStdString());
    table.Numeric.push_back(field.IsNumeric());
}

// Every title's fields, then the two sums of its totals row (empty for a title with no row).
void Titles(TCatalogStore& store, TExportTable& table) {
    TRecordSource titles(TCatalogSchema::Titles());
    TRecordSource totals(TCatalogSchema::Totals());
    titles.Open(store);
    totals.Open(store);
    const int sizeSum = totals.FieldIndex(QString::fromUtf8("Sum-Объём(байт)"));
    const int timeSum = totals.FieldIndex(QString::fromUtf8("Sum-Длительность"));
    const int totalsId = totals.FieldIndex("ID");
    const int titleId = titles.FieldIndex("ID");

    table.Name = TCatalogSchema::Titles().Table.toStdString();
    for (int f = 0; f < titles.FieldCount(); ++f) AddColumn(table, titles.FieldDef(f));
    AddColumn(table, totals.FieldDef(sizeSum));
    AddColumn(table, totals.FieldDef(timeSum));

    std::map<std::int64_t, int> totalsById;
    for (int k = 1; k <= totals.RecordCount(); ++k) totalsById[totals.ValueAt(k, totalsId).toLongLong()] = k;

    for (int k = 1; k <= titles.RecordCount(); ++k) {
        titles.SetRecNo(k);
        std::vector<std::string> row;
        for (int f = 0; f < titles.FieldCount(); ++f) row.push_back(titles.AsText(f));
        const auto it = totalsById.find(titles.AsInteger(titleId));
        row.push_back(it == totalsById.end() ? std::string() : totals.TextAt(it->second, sizeSum));
        row.push_back(it == totalsById.end() ? std::string() : totals.TextAt(it->second, timeSum));
        table.Rows.push_back(std::move(row));
    }
}

// Opened on their filters, the sources read this title's rows alone, by key.
void Episodes(TCatalogStore& store, std::int64_t id, TExportTable& table) {
    TRecordSource titles(TCatalogSchema::Titles());
    titles.SetFilter(TFilterExpression::Equals("ID", std::to_string(id)));
    titles.SetFiltered(true);
    titles.Open(store);
    if (titles.RecordCount() == 0)
        throw ECatalogError(store.Failure("no title with ID " + QString::number(id)));

    TRecordSource episodes(TCatalogSchema::Episodes());
    episodes.OnCalcFields = [](TRecordSource& source) { TEpisodeFields::Calculate(source); };
    episodes.SetFilter(TFilterExpression::Equals(QString::fromUtf8("Название"), std::to_string(id)));
    episodes.SetFiltered(true);
    episodes.Open(store);

    table.Name = TCatalogSchema::Episodes().Table.toStdString();
    for (int f = 0; f < episodes.FieldCount(); ++f) AddColumn(table, episodes.FieldDef(f));
    for (int k = 1; k <= episodes.RecordCount(); ++k) {
        episodes.SetRecNo(k);
        std::vector<std::string> row;
        for (int f = 0; f < episodes.FieldCount(); ++f) row.push_back(episodes.AsText(f));
        table.Rows.push_back(std::move(row));
    }
}

} // namespace

TExportTable TCatalogExport::Table(const QString& path, std::optional<std::int64_t> title) {
    TCatalogStore store;
    store.Open(path, TOpenMode::omReadOnly);
    TExportTable table;
    if (title)
        Episodes(store, *title, table);
    else
        Titles(store, table);
    return table;
}

std::string TCatalogExport::Text(const QString& path, std::optional<std::int64_t> title, TTextFormat format) {
    return TDelimitedText::Of(Table(path, title), format);
}

} // namespace tolvane
