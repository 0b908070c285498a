#pragma once
// A typed cell of the grid's store. The base holds no value; descendants hold one kind of value
// and convert it to and from the others. Every value write notifies the owning store.

#include <cstdint>
#include <string>

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TBitmap;
class TCells;

class TCell {
public:
    TCell() = default;
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

    // The store the cell lives in, found from the memory it was cut from; null for a cell made
    // outside a store.
    TCells* Owner() const;

    // A picture the cell shows but does not own.
    const TBitmap* Picture() const;
    // Colour, picture and hint live in the store: a cell outside one refuses them (EGridError).
    void SetPicture(const TBitmap* picture);

    TFontStyles FontStyle() const { return TFontStyles::FromBits(flags_ & FontStyleMask); }
    void SetFontStyle(TFontStyles style) {
        flags_ = std::uint8_t((flags_ & ~FontStyleMask) | (style.Bits() & FontStyleMask));
    }

    TColor Color() const;
    // Notifies the store unless the cell is still being placed.
    void SetColor(TColor color);

    // Where the cell was last fetched from the store.
    int Col() const { return col_; }
    int Row() const { return row_; }

    bool Initializing() const { return flags_ & InitializingFlag; }

    std::string Hint() const;
    bool HasHint() const;
    void SetHint(const std::string& hint);

protected:
    // The base writer: raises the store's change notification for (Col, Row).
    void Changed();

private:
    friend class TCells;
    friend class TCellMaker;

    static constexpr std::uint8_t FontStyleMask = 0x0F;
    // The value holds nothing on the heap: the cell's end needs no destructor.
    static constexpr std::uint8_t PlainValueFlag = 0x10;
    // Set while the store keeps a picture or a hint for the cell.
    static constexpr std::uint8_t ExtrasFlag = 0x20;
    static constexpr std::uint8_t InitializingFlag = 0x80;

    TCells* OwnerOrThrow(const char* what) const;

    // A grid holds millions of cells, so a cell keeps only its value and these 8 bytes beside
    // its vtable pointer: the store is found from the cell's address, the colour is an index
    // into the store's palette, and pictures and hints (rare) live in a table of the store.
    std::int32_t row_ = 0;
    std::uint16_t col_ : 10 = 0;
    // Size of the pool block the cell lives in, in pool units; 0 outside a store.
    std::uint16_t poolUnits_ : 6 = 0;
    std::uint8_t flags_ = InitializingFlag;
    std::uint8_t colorIndex_ = 0;
};

} // namespace tolvane
