#include "app/scan/NaturalOrder.h"

#include <QCollator>
#include <algorithm>
#include <numeric>
#include <vector>

namespace tolvane {

namespace {

// One collator per thread: a QCollator is reentrant, not thread-safe, and costly to make.
// English stands for the root collation (the C locale's collator would only compare code units
// and ignore the numeric mode).
const QCollator& Collator() {
    thread_local const QCollator collator = [] {
        QCollator c{QLocale(QLocale::English)};
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    return collator;
}

// Names the collation holds equal: the shorter first ("1" before "01"), then by code units.
bool TieLess(const QString& a, const QString& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

} // namespace

bool NaturalLess(const QString& a, const QString& b) {
    const int order = Collator().compare(a, b);
    return order != 0 ? order < 0 : TieLess(a, b);
}

void NaturalSort(QStringList& names) {
    std::vector<QCollatorSortKey> keys;
    keys.reserve(names.size());
    for (const QString& name : names) keys.push_back(Collator().sortKey(name));
    std::vector<qsizetype> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype x, qsizetype y) {
        const int c = keys[x].compare(keys[y]);
        return c != 0 ? c < 0 : TieLess(names[x], names[y]);
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype k : order) sorted << names[k];
    names = std::move(sorted);
}

} // namespace tolvane
