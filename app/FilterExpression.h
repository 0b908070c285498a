#pragma once
// The filter texts the window sets on its sources, built from their parts and parsed back into
// them. A parsed filter is evaluated in C++ over rows held in memory, or read by its key with a
// bound parameter, so no text a user types ever becomes part of a query.

#include <QString>
#include <cstdint>
#include <string>

#include "app/FieldDef.h"

namespace tolvane {

enum class TFilterType {
    ftPrefix, // <field> like '<text>%': the field's text begins with <text>, compared folded
    ftEquals, // <field> = <value>
};

class TFilterExpression {
public:
    // "<field> like '<text>%'": <text> is inserted as typed and still taken literally when parsed.
    static std::string Prefix(const QString& field, const std::string& text);
    // "<field> = <value>"
    static std::string Equals(const QString& field, const std::string& value);

    // The same texts with their parsed form, built without parsing the text back. Throw
    // ECatalogError where Parse would.
    static TFilterExpression PrefixOf(const TSourceDef& def, const QString& field, const QString& text);
    static TFilterExpression EqualsOf(const TSourceDef& def, const QString& field, const std::string& value);

    // Splits a filter text into field, type and value. Throws ECatalogError on a text of another
    // form or a field the source does not have.
    static TFilterExpression Parse(const std::string& text, const TSourceDef& def);

    // The filter text, as Prefix and Equals compose it.
    const std::string& Text() const { return text_; }
    int Field() const { return field_; }
    TFilterType Type() const { return type_; }
    // The value as text: the prefix, or the right-hand side of "=".
    const QString& Value() const { return value_; }
    // For "=" on a numeric field: the number, and whether there is one (an empty value matches
    // no row).
    std::int64_t Number() const { return number_; }
    bool HasNumber() const { return hasNumber_; }
    // The prefix NFC-normalised and fully case-folded (TTextFold), for comparing with folded
    // field texts.
    const QString& FoldedValue() const { return folded_; }

private:
    static TFilterExpression Of(const TSourceDef& def, const QString& field);
    void SetPrefix(QString value);
    void SetEquals(QString value, const TSourceDef& def);

    std::string text_;
    int field_ = 0;
    TFilterType type_ = TFilterType::ftEquals;
    QString value_;
    QString folded_;
    std::int64_t number_ = 0;
    bool hasNumber_ = false;
};

} // namespace tolvane
