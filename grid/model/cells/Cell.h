#pragma once
// A typed cell of the grid's store. The base holds no value; descendants hold one kind of value
// and convert it to and from the others. Every value write notifies the owning store.
//
// A cell is its vtable pointer and its value. A store makes its cells as TStoredCell<T>, which
// find their store, column, row and marks from their own address; a cell made anywhere else
// (`TStringCell cell;`, `new TFloatCell`, a member) is a loose cell: it works alone, has no
// store to notify, and refuses what only a store keeps (colour, picture, hint).

#include <cstdint>
#include <string>
#include <typeinfo>

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TBitmap;
class TCells;
struct TCellPlace;

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
    // A cell that holds no value at all, such as a date cell left empty; its readers answer 0
    // and an empty text. (An empty text is a value of a text cell.)
    virtual bool IsEmpty() const { return false; }
    // The text the cell holds, without a copy; null when the text is made on each read.
    virtual const QString* TextHeld() const { return nullptr; }

    // The base writers store nothing; they only notify the store.
    virtual void SetAsBoolean(bool value);
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);
    virtual void SetAsInteger(int value);
    virtual void SetText(const QString& value);

    // The store the cell lives in, found from the memory it was cut from; null for a loose cell.
    TCells* Owner() const;
    // The cell class (TStringCell, TFloatCell, ...), the same for a stored cell as for a loose
    // one; typeid of a stored cell names its TStoredCell form.
    virtual const std::type_info& CellClass() const { return typeid(*this); }

    // A picture the cell shows but does not own.
    const TBitmap* Picture() const;
    // Colour, picture and hint live in the store: a cell outside one refuses them (EGridError).
    void SetPicture(const TBitmap* picture);

    TFontStyles FontStyle() const;
    void SetFontStyle(TFontStyles style);

    TColor Color() const;
    // Notifies the store unless the cell is still being placed.
    void SetColor(TColor color);

    // The column the cell is in, and the row its store last handed it out at (its own row
    // while no row has moved). 0 outside a store.
    int Col() const;
    int Row() const;

    // A stored cell is placed once made; a cell outside a store never is.
    bool Initializing() const;

    std::string Hint() const;
    bool HasHint() const;
    void SetHint(const std::string& hint);

protected:
    // The base writer: raises the store's change notification for (Col, Row).
    void Changed();

private:
    // True for a cell a store made (TStoredCell).
    virtual bool Stored() const { return false; }
    // Where a cell of a store lives; false for a loose cell. A grid holds millions of cells, so
    // a cell holds only its vtable pointer and its value: its store, column, row, flags and
    // colour index are found from its address (TCellPlace).
    bool FindPlace(TCellPlace& place) const;
};

} // namespace tolvane
