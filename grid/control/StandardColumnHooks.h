#pragma once
// Binds the eleven column classes to their displays, plays and editors. This runs when the library
// is loaded, and every grid calls it again when it is created; binding again changes nothing.

namespace tolvane {

void BindStandardColumnHooks();

} // namespace tolvane
