#pragma once
// Incremental search: the typed prefix and the row that matches it next.

#include <functional>

#include <QString>

namespace tolvane {

class TIncrementalSearch {
public:
    // How long a prefix lives without typing.
    static constexpr int ResetInterval = 500;

    const QString& Text() const { return text_; }
    void Clear() { text_.clear(); }
    void Append(QChar c) { text_ += c; }

    // The first row whose text starts with the prefix, looking at the rows after `currentRow`
    // first and then from row 0 up to `currentRow`; -1 when none matches or the prefix is empty.
    int Find(int rowCount, int currentRow, const std::function<QString(int row)>& rowText) const;

    // Whether `text` starts with `prefix`, letters a to z compared without case.
    static bool Matches(const QString& text, const QString& prefix);

private:
    QString text_;
};

} // namespace tolvane
