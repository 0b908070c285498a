#include "app/FilterExpression.h"

#include "app/CatalogError.h"
#include "app/TextFold.h"

namespace tolvane {

namespace {

const std::string kLike = " like '";
const std::string kLikeEnd = "%'";
const std::string kEquals = " = ";

bool StartsWith(const std::string& text, const std::string& head) {
    return text.compare(0, head.size(), head) == 0;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool ParseInteger(const QString& text, std::int64_t& value) {
    bool ok = false;
    value = text.toLongLong(&ok);
    // toLongLong accepts surrounding blanks; a filter value is digits alone.
    return ok && text.trimmed() == text;
}

ECatalogError Invalid(const TSourceDef& def, const std::string& text) {
    return ECatalogError("Invalid filter on \"" + def.Table + "\": " + QString::fromStdString(text));
}

} // namespace

std::string TFilterExpression::Prefix(const QString& field, const std::string& text) {
    return field.toStdString() + kLike + text + kLikeEnd;
}

std::string TFilterExpression::Equals(const QString& field, const std::string& value) {
    return field.toStdString() + kEquals + value;
}

TFilterExpression TFilterExpression::Of(const TSourceDef& def, const QString& field) {
    for (int i = 0; i < static_cast<int>(def.Fields.size()); ++i) {
        if (def.Fields[i].Name != field) continue;
        TFilterExpression e;
        e.field_ = i;
        return e;
    }
    throw ECatalogError("\"" + def.Table + "\" has no field \"" + field + "\"");
}

TFilterExpression TFilterExpression::PrefixOf(const TSourceDef& def, const QString& field,
                                              const QString& text) {
    TFilterExpression e = Of(def, field);
    const std::string narrow = text.toStdString();
    e.text_ = Prefix(field, narrow);
    // The prefix is what parsing the text would give: a text that is not valid UTF-16 comes
    // back from its narrow form changed.
    e.SetPrefix(text.isValidUtf16() ? text : QString::fromStdString(narrow));
    return e;
}

TFilterExpression TFilterExpression::EqualsOf(const TSourceDef& def, const QString& field,
                                              const std::string& value) {
    TFilterExpression e = Of(def, field);
    e.text_ = Equals(field, value);
    e.SetEquals(QString::fromStdString(value), def);
    return e;
}

void TFilterExpression::SetPrefix(QString value) {
    type_ = TFilterType::ftPrefix;
    value_ = std::move(value);
    folded_ = TTextFold::Folded(value_);
}

void TFilterExpression::SetEquals(QString value, const TSourceDef& def) {
    type_ = TFilterType::ftEquals;
    value_ = std::move(value);
    if (def.Fields[field_].IsNumeric() && !value_.isEmpty()) {
        if (!ParseInteger(value_, number_)) throw Invalid(def, text_);
        hasNumber_ = true;
    }
}

TFilterExpression TFilterExpression::Parse(const std::string& text, const TSourceDef& def) {
    for (int i = 0; i < static_cast<int>(def.Fields.size()); ++i) {
        const TFieldDef& field = def.Fields[i];
        const std::string name = field.Name.toStdString();
        if (!StartsWith(text, name)) continue;
        const std::string rest = text.substr(name.size());
        TFilterExpression e;
        e.text_ = text;
        e.field_ = i;
        if (StartsWith(rest, kLike) && rest.size() >= kLike.size() + kLikeEnd.size() &&
            EndsWith(rest, kLikeEnd)) {
            // Everything between the opening quote and the final "%'" is the prefix, whatever it holds.
            e.SetPrefix(QString::fromStdString(
                rest.substr(kLike.size(), rest.size() - kLike.size() - kLikeEnd.size())));
            return e;
        }
        if (StartsWith(rest, kEquals)) {
            e.SetEquals(QString::fromStdString(rest.substr(kEquals.size())), def);
            return e;
        }
    }
    throw Invalid(def, text);
}

} // namespace tolvane
