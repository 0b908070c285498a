#pragma once
// File names in the order a person expects: runs of digits compare by their value, so
// "episode 2" comes before "episode 10"; letters compare without regard to case.

#include <QString>

namespace tolvane {

bool NaturalLess(const QString& a, const QString& b);

} // namespace tolvane
