#include "app/EpisodeColumnFit.h"

#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace tolvane {

TEpisodeColumnFit::TEpisodeColumnFit(QTableView& view, std::vector<int> designWidths, int firstFloor)
    : view_(view), design_(std::move(designWidths)), firstFloor_(firstFloor), fitted_(design_) {}

void TEpisodeColumnFit::FitToContents() {
    const int columns = std::min(int(design_.size()), view_.model() ? view_.model()->columnCount() : 0);
    // Within reason: one long name may take half of the view, not push every other column away.
    const int most = view_.viewport()->width() / 2;
    const QAbstractItemView& items = view_;
    fitted_.assign(design_.begin(), design_.end());
    for (int c = 0; c < columns; ++c) {
        // The rows in view only: the widest visible text, measured by the delegate (long texts cut).
        const int content = std::max(items.sizeHintForColumn(c), view_.horizontalHeader()->sectionSizeHint(c));
        fitted_[std::size_t(c)] = std::max(design_[std::size_t(c)], std::min(content, most));
    }
    int total = 0;
    for (int c = 0; c < columns; ++c) total += fitted_[std::size_t(c)];
    const int room = view_.viewport()->width();
    if (columns > 1 && total > room)
        fitted_[0] = std::max(std::min(fitted_[0], firstFloor_), fitted_[0] - (total - room));
    FillWidth();
}

void TEpisodeColumnFit::FillWidth() {
    const int columns = std::min(int(fitted_.size()), view_.model() ? view_.model()->columnCount() : 0);
    if (columns == 0) return;
    int others = 0;
    for (int c = 0; c + 1 < columns; ++c) {
        if (view_.columnWidth(c) != fitted_[std::size_t(c)]) view_.setColumnWidth(c, fitted_[std::size_t(c)]);
        others += fitted_[std::size_t(c)];
    }
    const int last = std::max(fitted_[std::size_t(columns - 1)], view_.viewport()->width() - others);
    if (view_.columnWidth(columns - 1) != last) view_.setColumnWidth(columns - 1, last);
}

} // namespace tolvane
