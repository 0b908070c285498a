#pragma once
// The episode table's column widths: each column as wide as the widest text it shows (its
// header's included), within reason, never below its design width; the last column takes the
// width the others leave. The first column (the file names) is the exception: where the columns
// would not all fit, it gives up width, down to a floor, so that the others stay in view.
// A width the user drags a column to is kept through reloads and resizes, until Forget or a
// double click on that column's edge, which fits it again.

#include <QObject>
#include <vector>

class QTableView;

namespace tolvane {

class TEpisodeColumnFit : public QObject {
public:
    // designWidths: the columns' widths in pixels as designed, the least each gets;
    // firstFloor: the least the first column keeps when the columns do not all fit.
    TEpisodeColumnFit(QTableView& view, std::vector<int> designWidths, int firstFloor);

    // After the rows changed: every column fitted to the texts now in view, then FillWidth.
    void FitToContents();
    // After the view's width changed: the last column takes what the others leave.
    void FillWidth();
    // Drops the widths the user set (another catalogue is shown) and fits every column again.
    void Forget();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SectionResized(int column, int newSize);
    void SetWidth(int column, int width);
    bool UserSet(int column) const { return user_[std::size_t(column)] > 0; }

    QTableView& view_;
    std::vector<int> design_;
    int firstFloor_;
    std::vector<int> fitted_; // each column's width before the last one is stretched
    std::vector<int> user_;   // the width the user dragged each column to; 0 where none
    bool pressed_ = false;    // a mouse button is down on the header: a resize now is the user's
    bool applying_ = false;   // the widths are being set here
};

} // namespace tolvane
