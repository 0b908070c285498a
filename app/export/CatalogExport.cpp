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

std::string Name(const TFieldDef& field) {
    return field.Name.toStdString();
}

// Every title's fields, then the two sums of its totals row (empty for a title with no row).
void Titles(TCatalogStore& store, TDelimitedText& table) {
    TRecordSource titles(TCatalogSchema::Titles());
    TRecordSource totals(TCatalogSchema::Totals());
    titles.Open(store);
    totals.Open(store);
    const int sizeSum = totals.FieldIndex(QString::fromUtf8("Sum-Объём(байт)"));
    const int timeSum = totals.FieldIndex(QString::fromUtf8("Sum-Длительность"));
    const int totalsId = totals.FieldIndex("ID");
    const int titleId = titles.FieldIndex("ID");

    std::vector<std::string> header;
    for (int f = 0; f < titles.FieldCount(); ++f) header.push_back(Name(titles.FieldDef(f)));
    header.push_back(Name(totals.FieldDef(sizeSum)));
    header.push_back(Name(totals.FieldDef(timeSum)));
    table.AddRow(header);

    std::map<std::int64_t, int> totalsById;
    for (int k = 1; k <= totals.RecordCount(); ++k) totalsById[totals.ValueAt(k, totalsId).toLongLong()] = k;

    for (int k = 1; k <= titles.RecordCount(); ++k) {
        titles.SetRecNo(k);
        std::vector<std::string> row;
        for (int f = 0; f < titles.FieldCount(); ++f) row.push_back(titles.AsText(f));
        const auto it = totalsById.find(titles.AsInteger(titleId));
        row.push_back(it == totalsById.end() ? std::string() : totals.TextAt(it->second, sizeSum));
        row.push_back(it == totalsById.end() ? std::string() : totals.TextAt(it->second, timeSum));
        table.AddRow(row);
    }
}

void Episodes(TCatalogStore& store, std::int64_t id, TDelimitedText& table) {
    TRecordSource titles(TCatalogSchema::Titles());
    titles.Open(store);
    titles.SetFilter(TFilterExpression::Equals("ID", std::to_string(id)));
    titles.SetFiltered(true);
    if (titles.RecordCount() == 0)
        throw ECatalogError(store.Failure("no title with ID " + QString::number(id)));

    TRecordSource episodes(TCatalogSchema::Episodes());
    episodes.OnCalcFields = [](TRecordSource& source) { TEpisodeFields::Calculate(source); };
    episodes.Open(store);
    episodes.SetFilter(TFilterExpression::Equals(QString::fromUtf8("Название"), std::to_string(id)));
    episodes.SetFiltered(true);

    std::vector<std::string> header;
    for (int f = 0; f < episodes.FieldCount(); ++f) header.push_back(Name(episodes.FieldDef(f)));
    table.AddRow(header);
    for (int k = 1; k <= episodes.RecordCount(); ++k) {
        episodes.SetRecNo(k);
        std::vector<std::string> row;
        for (int f = 0; f < episodes.FieldCount(); ++f) row.push_back(episodes.AsText(f));
        table.AddRow(row);
    }
}

} // namespace

std::string TCatalogExport::Text(const QString& path, std::optional<std::int64_t> title, TTextFormat format) {
    TCatalogStore store;
    store.Open(path, TOpenMode::omReadOnly);
    TDelimitedText table(format);
    if (title)
        Episodes(store, *title, table);
    else
        Titles(store, table);
    return table.Text();
}

} // namespace tolvane
