// Keeps the library non-empty while its folders fill up.
namespace tolvane { int gridPlaceholder = 0; }
