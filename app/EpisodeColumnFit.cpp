#include "app/EpisodeColumnFit.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace tolvane {

TEpisodeColumnFit::TEpisodeColumnFit(QTableView& view, std::vector<int> designWidths, int firstFloor)
    : view_(view), design_(std::move(designWidths)), firstFloor_(firstFloor), fitted_(design_),
      user_(design_.size(), 0) {
    QHeaderView* header = view_.horizontalHeader();
    header->viewport()->installEventFilter(this);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int newSize) { SectionResized(column, newSize); });
    // The table has already fitted the column to its rows in view; it is fitted here as every
    // column is, within reason.
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this, [this](int column) {
        if (column < 0 || column >= int(user_.size())) return;
        user_[std::size_t(column)] = 0;
        FitToContents();
    });
}

bool TEpisodeColumnFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) pressed_ = true;
    if (event->type() == QEvent::MouseButtonRelease) pressed_ = false;
    return QObject::eventFilter(watched, event);
}

void TEpisodeColumnFit::SectionResized(int column, int newSize) {
    // Qt also resizes sections of its own accord (a model reset, a double click): only a drag
    // on the header is the user's choice.
    if (applying_ || !pressed_ || column < 0 || column >= int(user_.size())) return;
    user_[std::size_t(column)] = std::max(newSize, 1);
}

void TEpisodeColumnFit::Forget() {
    std::fill(user_.begin(), user_.end(), 0);
    FitToContents();
}

void TEpisodeColumnFit::FitToContents() {
    const int columns = std::min(int(design_.size()), view_.model() ? view_.model()->columnCount() : 0);
    // Within reason: one long name may take half of the view, not push every other column away.
    const int most = view_.viewport()->width() / 2;
    const QAbstractItemView& items = view_;
    fitted_.assign(design_.begin(), design_.end());
    for (int c = 0; c < columns; ++c) {
        if (UserSet(c)) {
            fitted_[std::size_t(c)] = user_[std::size_t(c)];
            continue;
        }
        // The rows in view only: the widest visible text, measured by the delegate (long texts cut).
        const int content = std::max(items.sizeHintForColumn(c), view_.horizontalHeader()->sectionSizeHint(c));
        fitted_[std::size_t(c)] = std::max(design_[std::size_t(c)], std::min(content, most));
    }
    int total = 0;
    for (int c = 0; c < columns; ++c) total += fitted_[std::size_t(c)];
    const int room = view_.viewport()->width();
    if (columns > 1 && total > room && !UserSet(0))
        fitted_[0] = std::max(std::min(fitted_[0], firstFloor_), fitted_[0] - (total - room));
    FillWidth();
}

void TEpisodeColumnFit::SetWidth(int column, int width) {
    if (view_.columnWidth(column) == width) return;
    applying_ = true;
    view_.setColumnWidth(column, width);
    applying_ = false;
}

void TEpisodeColumnFit::FillWidth() {
    const int columns = std::min(int(fitted_.size()), view_.model() ? view_.model()->columnCount() : 0);
    if (columns == 0) return;
    int others = 0;
    for (int c = 0; c + 1 < columns; ++c) {
        SetWidth(c, fitted_[std::size_t(c)]);
        others += fitted_[std::size_t(c)];
    }
    const int last = columns - 1;
    SetWidth(last, UserSet(last) ? fitted_[std::size_t(last)]
                                 : std::max(fitted_[std::size_t(last)], view_.viewport()->width() - others));
}

} // namespace tolvane
