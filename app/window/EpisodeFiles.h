#pragma once
// Title ▸ Open Episode and Show in Folder: the chosen episode's file opened with the desktop's
// player, the title's folder with its file manager. Each failure is one message.

namespace tolvane {

class TMainWindow;

class TEpisodeFiles {
public:
    explicit TEpisodeFiles(TMainWindow& window) : window_(window) {}

    // The current row of the episode table.
    void OpenEpisode();
    void ShowInFolder();

private:
    TMainWindow& window_;
};

} // namespace tolvane
