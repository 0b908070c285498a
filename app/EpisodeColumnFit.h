#pragma once
// The episode table's column widths: each column as wide as the widest text it shows (its
// header's included), within reason, never below its design width; the last column takes the
// width the others leave. The first column (the file names) is the exception: where the columns
// would not all fit, it gives up width, down to a floor, so that the others stay in view.

#include <vector>

class QTableView;

namespace tolvane {

class TEpisodeColumnFit {
public:
    // designWidths: the columns' widths in pixels as designed, the least each gets;
    // firstFloor: the least the first column keeps when the columns do not all fit.
    TEpisodeColumnFit(QTableView& view, std::vector<int> designWidths, int firstFloor);

    // After the rows changed: every column fitted to the texts now in view, then FillWidth.
    void FitToContents();
    // After the view's width changed: the last column takes what the others leave.
    void FillWidth();

private:
    QTableView& view_;
    std::vector<int> design_;
    int firstFloor_;
    std::vector<int> fitted_; // each column's width before the last one is stretched
};

} // namespace tolvane
