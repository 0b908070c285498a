#pragma once
// The layout of a record source: its fields in binding order, and where it reads and writes.

#include <QString>
#include <vector>

namespace tolvane {

enum class TFieldKind {
    fkAutoInc,    // integer key the database assigns
    fkInteger,    // 32-bit integer
    fkLargeInt,   // 64-bit integer
    fkFloat,      // double-precision floating point
    fkWideText,   // Unicode text
    fkCalculated, // narrow text computed by the viewer for each record, never stored
};

struct TFieldDef {
    QString Name;
    TFieldKind Kind = TFieldKind::fkWideText;
    int Size = 0; // characters for text fields; 0 where the kind fixes it
    bool ReadOnly = false;
    bool Visible = true;
    QString Label;        // the column title a data grid shows; the name when empty
    int DisplayWidth = 0; // characters

    bool IsStored() const { return Kind != TFieldKind::fkCalculated; }
    bool IsNumeric() const {
        return Kind == TFieldKind::fkAutoInc || Kind == TFieldKind::fkInteger ||
               Kind == TFieldKind::fkLargeInt || Kind == TFieldKind::fkFloat;
    }
    QString DisplayLabel() const { return Label.isEmpty() ? Name : Label; }
};

struct TSourceDef {
    QString Table;    // table or view the source reads as a whole
    QString KeyField; // the field that identifies a row for writes
    bool ReadOnly = false;
    std::vector<TFieldDef> Fields;
};

} // namespace tolvane
