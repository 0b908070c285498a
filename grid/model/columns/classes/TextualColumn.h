#pragma once
// A column of plain text with optional text before and after each value.

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class TTextualColumn : public TCustomColumn {
public:
    TTextualColumn();
    static TColumnClasses Classes();

    const QString& TextAfter() const { return textAfter_; }
    void SetTextAfter(const QString& value) { textAfter_ = value; }
    const QString& TextBefore() const { return textBefore_; }
    void SetTextBefore(const QString& value) { textBefore_ = value; }
    bool AutoExecute() const { return autoExecute_; }
    void SetAutoExecute(bool value) { autoExecute_ = value; }

    std::uint32_t ColumnFlags() const override { return 0x7; }
    QString FormatText(const QString& value) const override;
    // Any character above the space.
    bool AcceptsKey(QChar key) const override;
    void CopyFrom(const TCustomColumn& source) override;

protected:
    explicit TTextualColumn(const TColumnClasses& classes);

private:
    QString textAfter_;
    QString textBefore_;
    bool autoExecute_ = false;
};

} // namespace tolvane
