#pragma once
// The collection notifications that the column collection raises and the cell store follows.

namespace tolvane {

enum TColumnsNotification : int { cnAdded = 0, cnDeleted = 1, cnCleared = 2, cnInserted = 3, cnMoved = 4 };

} // namespace tolvane
