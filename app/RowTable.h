#pragma once
// Rows of one width held column by column, each column in the least room its values allow:
// whole numbers as numbers (8 bytes a row), a column of few distinct values (a kind, a count,
// nulls) as one byte a row naming its value, texts (names) as texts, other columns as values. Columns are kept in
// blocks of 1 024 rows, so that growing the table moves at most the rows of its last block.

#include <QVariant>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tolvane {

class TRowTable {
public:
    using TRow = std::vector<QVariant>;

    // A row's values, read by position.
    class TConstRowView {
    public:
        TConstRowView(const TRowTable& table, std::size_t row) : table_(&table), row_(row) {}
        QVariant operator[](std::size_t column) const { return table_->Value(row_, column); }
        std::size_t size() const { return table_->Width(); }

    private:
        const TRowTable* table_;
        std::size_t row_;
    };

    TRowTable() = default;
    TRowTable(TRowTable&&) noexcept = default;
    TRowTable& operator=(TRowTable&&) noexcept = default;
    TRowTable(const TRowTable&) = delete;
    TRowTable& operator=(const TRowTable&) = delete;

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The first row added sets the width of every row.
    std::size_t Width() const { return columns_.size(); }
    TConstRowView operator[](std::size_t row) const { return {*this, row}; }
    QVariant Value(std::size_t row, std::size_t column) const;
    void SetValue(std::size_t row, std::size_t column, const QVariant& value);
    // A copy of a row's values.
    TRow Row(std::size_t row) const;

    // A row of the table's width (a shorter one is padded with empty values; a longer one is
    // refused with EListError).
    void push_back(const TRow& row);
    // Puts a row before `at`, moving the rows after it down by one.
    void Insert(std::size_t at, TRow row);
    // Replaces a row's values.
    void Assign(std::size_t row, TRow values);
    // Puts the rows in order, rows that compare equal keeping theirs.
    void StableSort(const std::function<bool(TConstRowView, TConstRowView)>& less);

private:
    template <typename T>
    class TBlocks {
    public:
        T& operator[](std::size_t i) const { return blocks_[i / kBlockRows][i % kBlockRows]; }
        // The last block grows as rows come (a title's few episodes do not make 1 024 values);
        // the blocks before it are full.
        void Grow(std::size_t count) {
            if (count == 0) return;
            const std::size_t blocks = (count + kBlockRows - 1) / kBlockRows;
            while (blocks_.size() < blocks) {
                if (!blocks_.empty()) blocks_.back().resize(kBlockRows);
                blocks_.emplace_back();
            }
            std::vector<T>& last = blocks_[blocks - 1];
            const std::size_t need = count - (blocks - 1) * kBlockRows;
            if (last.size() < need) last.resize(need);
        }
        void Clear() { blocks_.clear(); }

    private:
        mutable std::vector<std::vector<T>> blocks_;
    };

    class TColumn {
    public:
        QVariant Value(std::size_t row) const;
        // Row `row` of `count` rows held takes the value.
        void Set(std::size_t row, std::size_t count, const QVariant& value);

    private:
        static constexpr std::size_t kMostCodes = 256;
        enum class TForm : unsigned char { fNone, fNumbers, fCodes, fTexts, fValues };
        static bool IsNumber(const QVariant& value) {
            return value.typeId() == QMetaType::LongLong && !value.isNull();
        }
        static bool IsText(const QVariant& value) { return value.typeId() == QMetaType::QString && !value.isNull(); }
        // Leaves the codes for texts of their own (every value so far a text) or for values.
        void FromCodes(std::size_t count);
        // The code of a value among the distinct ones, added when new; -1 when they are full.
        int Code(const QVariant& value);
        void ToValues(std::size_t count);

        TForm form_ = TForm::fNone;
        TBlocks<qlonglong> numbers_;
        TBlocks<std::uint8_t> codes_;
        TBlocks<QString> texts_;
        TBlocks<QVariant> values_;
        std::vector<QVariant> distinct_;
        // The codes of the distinct texts, to find a text's code without comparing it with each.
        std::unordered_map<QString, std::uint8_t> codeOfText_;
    };

    static constexpr std::size_t kBlockRows = 1024;
    void Fill(std::size_t row, const TRow& values);

    std::size_t count_ = 0;
    std::vector<TColumn> columns_;
};

} // namespace tolvane
