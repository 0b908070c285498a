#pragma once
// The episode grid's model: the visible fields of the episode source's current view, stored
// text fields editable in place and written back at once (only over the value last read; an edit
// that cannot be stored stays pending and shown), calculated fields read-only.

#include <QAbstractTableModel>
#include <functional>
#include <vector>

namespace tolvane {

class TRecordSource;

class TEpisodeModel : public QAbstractTableModel {
public:
    TEpisodeModel(TRecordSource& source, QObject* parent = nullptr);

    // Call when the source's view changed.
    void Reload();
    // The source field shown in a column.
    int FieldOf(int column) const;
    // Whether in-place edits are refused (a catalogue opened read-only).
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Whether an edited cell is stored at once (the default) or left pending for the caller.
    void SetStoresAtOnce(bool atOnce) { storesAtOnce_ = atOnce; }
    bool StoresAtOnce() const { return storesAtOnce_; }
    // Rows drawn in the palette's disabled text colour (their files are missing), asked as rows
    // are drawn; DimmedChanged redraws them after the answer changed.
    void SetDimmedRows(std::function<bool(int row)> dimmed) { dimmed_ = std::move(dimmed); }
    void DimmedChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    TRecordSource& source_;
    std::vector<int> fields_;
    bool readOnly_ = false;
    bool storesAtOnce_ = true;
    std::function<bool(int)> dimmed_;
};

} // namespace tolvane
