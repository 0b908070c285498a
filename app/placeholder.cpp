namespace tolvane { int appPlaceholder = 0; }
