#pragma once
// File names in the order a person expects: runs of digits compare by their value, so
// "episode 2" comes before "episode 10"; letters compare as the Unicode collation orders them
// (case only breaks a tie). The collation is the same on every machine, so that a scan numbers
// the episodes of one folder alike wherever it runs.

#include <QString>
#include <QStringList>

namespace tolvane {

// A strict total order: names the collation holds equal ("1" and "01") still come in a fixed
// order, the shorter first, then by their UTF-16 code units.
bool NaturalLess(const QString& a, const QString& b);

// Sorts the names in that order, collating each name once.
void NaturalSort(QStringList& names);

} // namespace tolvane
