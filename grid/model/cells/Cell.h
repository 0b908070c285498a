#pragma once
// A typed cell of the grid's store. The base holds no value; descendants hold one kind of value
// and convert it to and from the others. Every value write notifies the owning store.

#include <cstdint>
#include <memory>
#include <string>

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TBitmap;
class TCells;

class TCell {
public:
    explicit TCell(TCells* owner) : owner_(owner) {}
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
    // The text the cell holds, without a copy; null when the text is made on each read.
    virtual const QString* TextHeld() const { return nullptr; }

    // The base writers store nothing; they only notify the store.
    virtual void SetAsBoolean(bool value);
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);
    virtual void SetAsInteger(int value);
    virtual void SetText(const QString& value);

    TCells* Owner() const { return owner_; }

    // A picture the cell shows but does not own.
    const TBitmap* Picture() const { return extras_ ? extras_->Picture : nullptr; }
    void SetPicture(const TBitmap* picture);

    TFontStyles FontStyle() const { return TFontStyles::FromBits(flags_ & FontStyleMask); }
    void SetFontStyle(TFontStyles style) {
        flags_ = std::uint8_t((flags_ & ~FontStyleMask) | (style.Bits() & FontStyleMask));
    }

    TColor Color() const { return color_; }
    // Notifies the store unless the cell is still being placed.
    void SetColor(TColor color);

    // Where the cell was last fetched from the store.
    int Col() const { return col_; }
    int Row() const { return row_; }

    bool Initializing() const { return flags_ & InitializingFlag; }

    std::string Hint() const { return extras_ ? extras_->Hint : std::string(); }
    bool HasHint() const { return extras_ && !extras_->Hint.empty(); }
    void SetHint(const std::string& hint);

protected:
    // The base writer: raises the store's change notification for (Col, Row).
    void Changed();

private:
    friend class TCells;
    friend class TCellMaker;

    static constexpr std::uint8_t FontStyleMask = 0x0F;
    // The value holds nothing on the heap: with no extras, the cell's end needs no destructor.
    static constexpr std::uint8_t PlainValueFlag = 0x10;
    static constexpr std::uint8_t InitializingFlag = 0x80;

    // Pictures and hints are rare: cells without either pay one pointer for both.
    struct TExtras {
        const TBitmap* Picture = nullptr;
        std::string Hint;
    };
    void DropEmptyExtras();

    TCells* owner_;
    std::unique_ptr<TExtras> extras_;
    TColor color_ = clWindow;
    std::int32_t row_ = 0;
    std::int16_t col_ = 0;
    // Font style bits and the flags share a byte, so that a cell stays 48 bytes.
    std::uint8_t flags_ = InitializingFlag;
    // Size of the pool block the cell lives in, in pool units; 0 when it came from the heap.
    std::uint8_t poolUnits_ = 0;
};

} // namespace tolvane
