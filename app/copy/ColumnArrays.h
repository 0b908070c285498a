#pragma once
// Many rows written to a server in one statement: each column's values travel as one array
// parameter, which the server takes apart with unnest(). Thousands of rows then cost the server
// a few long values to parse instead of one literal per value.

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include "app/FieldDef.h"

namespace tolvane {

class TColumnArrays {
public:
    // The INSERT of the table's stored columns from one array a column, each cast to its
    // column's type on the server. Throws ECatalogError when the types cannot be read.
    static QString Insert(const QSqlDatabase& db, const TSourceDef& def);

    // The array text of one column: `values` holds whole rows of `width` values one after the
    // other, and `column` picks the value of each. Null stays null; a fraction bound for a whole
    // number column is rounded as the server rounds it.
    static QString Literal(const QVariantList& values, int width, int column, TFieldKind kind);
};

} // namespace tolvane
