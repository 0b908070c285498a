#pragma once
// A typed cell of the grid's store. The base holds no value; descendants hold one kind of value
// and convert it to and from the others. Every value write notifies the owning store.

#include <cstdint>
#include <memory>
#include <string>

#include <QString>

#include "grid/shared/Types.h"

namespace tolvane {

class TBitmap;
class TCells;

class TCell {
public:
    explicit TCell(TCells* owner);
    virtual ~TCell();
    TCell(const TCell&) = delete;
    TCell& operator=(const TCell&) = delete;

    // The colours the grid paints the cell with; the store's hooks decide, else the cell's own.
    virtual TColor EffectiveBackground() const;
    virtual TColor EffectiveTextColor() const;

    virtual bool AsBoolean() const = 0;
    virtual TDateTime AsDateTime() const = 0;
    virtual double AsFloat() const = 0;
    virtual int AsInteger() const = 0;
    virtual QString Text() const = 0;

    // The base writers store nothing; they only notify the store.
    virtual void SetAsBoolean(bool value);
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);
    virtual void SetAsInteger(int value);
    virtual void SetText(const QString& value);

    TCells* Owner() const { return owner_; }

    // A picture the cell shows but does not own.
    const TBitmap* Picture() const { return picture_; }
    void SetPicture(const TBitmap* picture) { picture_ = picture; }

    TFontStyles FontStyle() const { return TFontStyles::FromBits(fontStyle_); }
    void SetFontStyle(TFontStyles style) { fontStyle_ = std::uint8_t(style.Bits()); }

    TColor Color() const { return color_; }
    // Notifies the store unless the cell is still being placed.
    void SetColor(TColor color);

    // Where the cell was last fetched from the store.
    int Col() const { return col_; }
    int Row() const { return row_; }

    bool Initializing() const { return initializing_; }

    std::string Hint() const { return hint_ ? *hint_ : std::string(); }
    bool HasHint() const { return hint_ && !hint_->empty(); }
    void SetHint(const std::string& hint);

protected:
    // The base writer: raises the store's change notification for (Col, Row).
    void Changed();

private:
    friend class TCells;

    TCells* owner_;
    const TBitmap* picture_ = nullptr;
    // Hints are rare; an absent one costs a pointer.
    std::unique_ptr<std::string> hint_;
    TColor color_ = clWindow;
    std::int32_t row_ = 0;
    std::int16_t col_ = 0;
    std::uint8_t fontStyle_ = 0;
    bool initializing_ = true;
};

} // namespace tolvane
