#include "grid/host/AccessibleTableSource.h"

#include <map>
#include <type_traits>
#include <utility>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include "grid/host/CustomControl.h"
#include "grid/host/ExceptionSink.h"

namespace tolvane {

namespace {

class TAccessibleGrid;

// Set on a client widget once something asked for its interface: until then nobody listens.
constexpr const char* kAsked = "tolvaneAccessibleAsked";

void (*g_observer)(QAccessibleEvent*) = nullptr;

// The answer to a question, or an empty one when it failed (reported).
template <class F>
std::invoke_result_t<F> Ask(F question) {
    std::invoke_result_t<F> answer{};
    GuardedCall([&] { answer = question(); });
    return answer;
}

// The control's source as assistive technology asks it, from inside Qt: a question that fails
// is reported to the error sink and answered as if there were nothing.
class TGuardedSource final : public TAccessibleTableSource {
public:
    // This object standing for `source`; null when there is none.
    TAccessibleTableSource* Over(TAccessibleTableSource* source) {
        inner_ = source;
        return source ? this : nullptr;
    }
    QString AccessibleName() override {
        return Ask([&] { return inner_->AccessibleName(); });
    }
    int AccessibleRowCount() override {
        return Ask([&] { return inner_->AccessibleRowCount(); });
    }
    int AccessibleColumnCount() override {
        return Ask([&] { return inner_->AccessibleColumnCount(); });
    }
    QString AccessibleColumnHeader(int column) override {
        return Ask([&] { return inner_->AccessibleColumnHeader(column); });
    }
    QString AccessibleCellText(int column, int row) override {
        return Ask([&] { return inner_->AccessibleCellText(column, row); });
    }
    bool AccessibleRowSelected(int row) override {
        return Ask([&] { return inner_->AccessibleRowSelected(row); });
    }
    TPoint AccessibleCurrentCell() override {
        TPoint none{-1, -1};
        GuardedCall([&] { none = inner_->AccessibleCurrentCell(); });
        return none;
    }
    TRect AccessibleCellRect(int column, int row) override {
        return Ask([&] { return inner_->AccessibleCellRect(column, row); });
    }

private:
    TAccessibleTableSource* inner_ = nullptr;
};

// One cell of the table, or a column header cell (row -1). It reads the source live, so it never
// holds a stale text; once its row or column is gone it answers as invalid.
class TAccessibleCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    TAccessibleCell(QWidget* client, int row, int column) : client_(client), row_(row), column_(column) {}

    bool isValid() const override {
        TAccessibleTableSource* s = Source();
        return s && row_ < s->AccessibleRowCount() && column_ < s->AccessibleColumnCount();
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(client_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid()) return QString();
        TAccessibleTableSource* s = Source();
        return row_ < 0 ? s->AccessibleColumnHeader(column_) : s->AccessibleCellText(column_, row_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        TAccessibleTableSource* s = Source();
        if (!s || row_ < 0 || !isValid() || !client_) return QRect();
        const TRect r = s->AccessibleCellRect(column_, row_);
        const QPoint topLeft = client_->mapToGlobal(QPoint(r.Left, r.Top));
        return QRect(topLeft.x(), topLeft.y(), r.Right - r.Left, r.Bottom - r.Top);
    }
    QAccessible::Role role() const override { return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State st;
        TAccessibleTableSource* s = Source();
        if (!s || row_ < 0) return st;
        st.selectable = true;
        st.focusable = true;
        st.selected = isSelected();
        const TPoint current = s->AccessibleCurrentCell();
        st.focused = current.X == column_ && current.Y == row_ && client_ && client_->hasFocus();
        return st;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                       : nullptr;
    }

    bool isSelected() const override {
        TAccessibleTableSource* s = Source();
        return s && row_ >= 0 && isValid() && s->AccessibleRowSelected(row_);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    TAccessibleTableSource* Source() const {
        TCustomControl* control = client_ ? TCustomControl::FromClientWidget(client_) : nullptr;
        return guarded_.Over(control ? control->AccessibleTable() : nullptr);
    }

    mutable TGuardedSource guarded_;
    QPointer<QWidget> client_;
    int row_;
    int column_;
};

// The client widget of a control with a table source: a table whose children are the header
// cells and then the cells row by row.
class TAccessibleGrid : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TAccessibleGrid(QWidget* client) : QAccessibleWidget(client, QAccessible::Table) {
        client->setProperty(kAsked, true);
    }
    ~TAccessibleGrid() override {
        for (const auto& [key, id] : cells_) QAccessible::deleteAccessibleInterface(id);
    }

    TAccessibleTableSource* Source() const {
        TCustomControl* control = TCustomControl::FromClientWidget(object());
        return guarded_.Over(control ? control->AccessibleTable() : nullptr);
    }

    // Cells are made when asked for and kept, as Qt expects an interface to stay alive.
    QAccessibleInterface* Cell(int row, int column) const {
        TAccessibleTableSource* s = Source();
        if (!s || row < -1 || row >= s->AccessibleRowCount() || column < 0 || column >= s->AccessibleColumnCount())
            return nullptr;
        auto found = cells_.find({row, column});
        if (found != cells_.end()) return QAccessible::accessibleInterface(found->second);
        auto* cell = new TAccessibleCell(widget(), row, column);
        cells_[{row, column}] = QAccessible::registerAccessibleInterface(cell);
        return cell;
    }
    int ChildIndex(int row, int column) const {
        const int columns = columnCount();
        return (row + 1) * columns + column;
    }

    // QAccessibleInterface
    QAccessible::Role role() const override { return Source() ? QAccessible::Table : QAccessible::Client; }
    QString text(QAccessible::Text t) const override {
        // A name the application gave the widget wins over the control's own.
        TAccessibleTableSource* s = Source();
        if (t == QAccessible::Name && s && widget()->accessibleName().isEmpty()) return s->AccessibleName();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return (rowCount() + 1) * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int columns = columnCount();
        if (columns == 0 || index < 0) return nullptr;
        return Cell(index / columns - 1, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        auto cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        return cell ? ChildIndex(cell->rowIndex(), cell->columnIndex()) : -1;
    }
    QAccessibleInterface* focusChild() const override {
        TAccessibleTableSource* s = Source();
        if (!s) return nullptr;
        const TPoint current = s->AccessibleCurrentCell();
        return current.X >= 0 && current.Y >= 0 ? Cell(current.Y, current.X) : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface && Source()) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return row >= 0 ? Cell(row, column) : nullptr;
    }
    int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (int row : selectedRows())
            for (int c = 0; c < columnCount(); ++c) cells.append(Cell(row, c));
        return cells;
    }
    QString columnDescription(int column) const override {
        TAccessibleTableSource* s = Source();
        return s && column >= 0 && column < columnCount() ? s->AccessibleColumnHeader(column) : QString();
    }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override {
        TAccessibleTableSource* s = Source();
        return s ? s->AccessibleColumnCount() : 0;
    }
    int rowCount() const override {
        TAccessibleTableSource* s = Source();
        return s ? s->AccessibleRowCount() : 0;
    }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override {
        QList<int> rows;
        TAccessibleTableSource* s = Source();
        if (!s) return rows;
        const int count = s->AccessibleRowCount();
        for (int r = 0; r < count; ++r)
            if (s->AccessibleRowSelected(r)) rows.append(r);
        return rows;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override {
        TAccessibleTableSource* s = Source();
        return s && row >= 0 && row < s->AccessibleRowCount() && s->AccessibleRowSelected(row);
    }
    // Selection goes through the grid's own keys and clicks.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable TGuardedSource guarded_;
    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

QAccessibleInterface* TableFactory(const QString&, QObject* object) {
    TCustomControl* control = TCustomControl::FromClientWidget(object);
    if (!control) return nullptr;
    return new TAccessibleGrid(static_cast<QWidget*>(object));
}

QList<QAccessibleInterface*> TAccessibleCell::columnHeaderCells() const {
    auto grid = dynamic_cast<TAccessibleGrid*>(parent());
    QAccessibleInterface* header = grid ? grid->Cell(-1, column_) : nullptr;
    return header && row_ >= 0 ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

} // namespace

void SetAccessibleEventObserver(void (*observer)(QAccessibleEvent*)) {
    g_observer = observer;
}

void InstallAccessibleTables() {
    static const bool installed = [] {
        QAccessible::installFactory(&TableFactory);
        return true;
    }();
    (void)installed;
}

void AnnounceAccessibleFocus(TCustomControl& control, int column, int row) {
    // Nothing listens while no assistive technology asked for the table; then this costs nothing.
    QWidget* client = control.ClientWidget();
    if (!client || !control.AccessibleTable() || column < 0 || row < 0) return;
    if (!QAccessible::isActive() && !client->property(kAsked).toBool()) return;
    auto grid = dynamic_cast<TAccessibleGrid*>(QAccessible::queryAccessibleInterface(client));
    if (!grid || !grid->Cell(row, column)) return;
    QAccessibleEvent event(client, QAccessible::Focus);
    event.setChild(grid->ChildIndex(row, column));
    if (g_observer) g_observer(&event);
    QAccessible::updateAccessibility(&event);
}

} // namespace tolvane
