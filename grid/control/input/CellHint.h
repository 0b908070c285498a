#pragma once
// The cell hint: the hint text a cell carries, shown beside the cell while the pointer is on it.

#include <memory>

#include <QString>

namespace tolvane {

class TCustomGridViewControl;
class THintWindow;

class TCellHint {
public:
    explicit TCellHint(TCustomGridViewControl& grid);
    ~TCellHint();

    static constexpr int MaxWidth = 250;

    void Show(int col, int row, const QString& hint);
    void Hide();
    bool Showing() const;

private:
    TCustomGridViewControl& grid_;
    std::unique_ptr<THintWindow> window_;
};

} // namespace tolvane
