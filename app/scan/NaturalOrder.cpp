#include "app/scan/NaturalOrder.h"

namespace tolvane {

namespace {

// Compares the digit runs a[i..) and b[j..), advancing both past them: by value first (leading
// zeros ignored), then the shorter run first, so "01" and "1" keep a fixed order.
int CompareNumbers(const QString& a, qsizetype& i, const QString& b, qsizetype& j) {
    auto run = [](const QString& s, qsizetype& k, qsizetype& start) {
        start = k;
        while (k < s.size() && s[k].isDigit()) ++k;
        qsizetype first = start;
        while (first < k - 1 && s[first] == '0') ++first;
        return first;
    };
    qsizetype startA, startB;
    const qsizetype firstA = run(a, i, startA);
    const qsizetype firstB = run(b, j, startB);
    const qsizetype lengthA = i - firstA, lengthB = j - firstB;
    if (lengthA != lengthB) return lengthA < lengthB ? -1 : 1;
    for (qsizetype k = 0; k < lengthA; ++k) {
        const int da = a[firstA + k].digitValue(), db = b[firstB + k].digitValue();
        if (da != db) return da < db ? -1 : 1;
    }
    const qsizetype runA = i - startA, runB = j - startB;
    return runA == runB ? 0 : (runA < runB ? -1 : 1);
}

} // namespace

bool NaturalLess(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const int order = CompareNumbers(a, i, b, j);
            if (order != 0) return order < 0;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
    return a < b; // equal but for case: still a strict, fixed order
}

} // namespace tolvane
