#include "app/EpisodeModel.h"

#include <QGuiApplication>
#include <QPalette>

#include "app/CatalogError.h"
#include "app/EditStorage.h"
#include "app/ErrorReporter.h"
#include "app/RecordSource.h"
#include "grid/base/ShownText.h"

namespace tolvane {

TEpisodeModel::TEpisodeModel(TRecordSource& source, QObject* parent)
    : QAbstractTableModel(parent), source_(source) {
    for (int i = 0; i < source_.FieldCount(); ++i)
        if (source_.FieldDef(i).Visible) fields_.push_back(i);
}

void TEpisodeModel::Reload() {
    beginResetModel();
    endResetModel();
}

int TEpisodeModel::FieldOf(int column) const {
    return fields_.at(column);
}

int TEpisodeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !source_.Active() ? 0 : source_.RecordCount();
}

int TEpisodeModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

QVariant TEpisodeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const int recNo = index.row() + 1, field = fields_[index.column()];
    // What is shown (and measured for its size) is only what a screen can hold of a long text.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return source_.WideTextAt(recNo, field, MaxShownLineChars);
    if (role == Qt::EditRole) {
        // An editor starts from the whole text; when it cannot be read now, setData refuses the
        // edit of what was read cut.
        try {
            return source_.WholeTextAt(recNo, field);
        } catch (const std::exception&) {
            return source_.WideTextAt(recNo, field);
        }
    }
    // Asked at each paint, so that a palette changed since (a dark one) is followed.
    if (role == Qt::ForegroundRole && dimmed_ && dimmed_(index.row()))
        return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    return {};
}

void TEpisodeModel::DimmedChanged() {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ForegroundRole});
}

QVariant TEpisodeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return source_.FieldDef(fields_[section]).DisplayLabel();
}

Qt::ItemFlags TEpisodeModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.column() >= columnCount()) return result;
    const TFieldDef& field = source_.FieldDef(fields_[index.column()]);
    if (!readOnly_ && field.IsStored() && !field.ReadOnly) result |= Qt::ItemIsEditable;
    return result;
}

bool TEpisodeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const int field = fields_[index.column()];
    const bool done = TErrorReporter::Guard([&] {
        source_.SetRecNo(index.row() + 1);
        if (source_.IsCutAt(index.row() + 1, field))
            throw ECatalogError("\"" + source_.FieldDef(field).DisplayLabel() +
                                "\" could not be read whole when its editing began: nothing is stored");
        // An emptied cell of a field that held nothing stays null.
        source_.SetValue(field, value.toString());
        // A conflict left undecided, or a failed write, keeps the edit pending: the cell shows
        // what was typed, and the next store tries again.
        if (storesAtOnce_) TEditStorage::StoreChecked(source_);
    });
    // Shown either way: the stored value, or the typed one still pending.
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return done;
}

} // namespace tolvane
