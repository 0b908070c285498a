#pragma once
// The catalogue's tables, view and fields, and the checks that tell a catalogue from any other file.

#include <optional>
#include <vector>

#include <QVariant>

#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include "app/FieldDef.h"

namespace tolvane {

// The declared type of each column, by table (or view) and column name.
using TDeclaredTypes = QHash<QString, QHash<QString, QString>>;

class TCatalogSchema {
public:
    static const TSourceDef& Titles();   // "Sp"
    static const TSourceDef& Episodes(); // "Серии"
    static const TSourceDef& Totals();   // "Rjk"

    // Creates the tables and the view in an empty database.
    static void Create(QSqlDatabase& db);

    // Why the database is not a catalogue, or an empty text when it is one, in one statement:
    // the first read of the file when it is sound. Nothing when that statement fails (a damaged,
    // foreign or locked file, a view that cannot be read), for the caller to find out why with
    // Defect. The columns' declared types of the three objects go to `types` on the way.
    static std::optional<QString> QuickDefect(QSqlDatabase& db, TDeclaredTypes* types = nullptr);
    // The same, object by object, so that an object that cannot be read is named only after the
    // ones before it. A database error is reported the same way.
    static QString Defect(QSqlDatabase& db);

    // An identifier in double quotes, safe for any name.
    static QString Quoted(const QString& identifier);

private:
    // Rows of (object, "table"/"view", column, declared type): why they are not a catalogue.
    static QString DefectOf(const std::vector<std::vector<QVariant>>& rows, TDeclaredTypes* types);
    // The same read from a server's catalogue; throws ECatalogError when the read fails.
    static QString ServerDefect(QSqlDatabase& db, TDeclaredTypes* types);
};

} // namespace tolvane
