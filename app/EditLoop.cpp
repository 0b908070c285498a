#include "app/EditLoop.h"

#include <random>

#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"
#include "app/RecordSource.h"

namespace tolvane {

namespace {

// The editable text fields of a source.
std::vector<int> TextFields(const TRecordSource& source) {
    std::vector<int> fields;
    for (int f = 0; f < source.FieldCount(); ++f) {
        const TFieldDef& def = source.FieldDef(f);
        if (def.Kind == TFieldKind::fkWideText && !def.ReadOnly) fields.push_back(f);
    }
    return fields;
}

} // namespace

void TEditLoop::Run(const QString& path, std::uint32_t round, int count, std::ostream& out) {
    TCatalogStore store;
    store.Open(path, TOpenMode::omReadWrite);
    TRecordSource titles(TCatalogSchema::Titles());
    TRecordSource episodes(TCatalogSchema::Episodes());
    titles.Open(store);
    episodes.Open(store);
    TRecordSource* const sources[] = {&titles, &episodes};
    const std::vector<int> fields[] = {TextFields(titles), TextFields(episodes)};

    std::mt19937 random(round);
    for (int n = 0; n < count; ++n) {
        const int which = int(random() % 2);
        TRecordSource& source = *sources[which];
        if (source.RecordCount() == 0) continue;
        source.SetRecNo(int(random() % std::uint32_t(source.RecordCount())) + 1);
        const int field = fields[which][random() % fields[which].size()];
        const std::string value = std::to_string(round) + "-" + std::to_string(n);
        source.SetValue(field, QString::fromStdString(value));
        source.Post();
        out << source.Definition().Table.toStdString() << ' ' << source.AsText(0) << ' '
            << source.FieldDef(field).Name.toStdString() << ' ' << value << std::endl;
    }
}

} // namespace tolvane
