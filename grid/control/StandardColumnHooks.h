#pragma once
// Binds the eleven column classes to their displays, plays and editors. Every grid calls this when
// it is created; binding again changes nothing.

namespace tolvane {

void BindStandardColumnHooks();

} // namespace tolvane
