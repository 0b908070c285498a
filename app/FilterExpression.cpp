#include "app/FilterExpression.h"

#include "app/CatalogError.h"

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

} // namespace

std::string TFilterExpression::Prefix(const QString& field, const std::string& text) {
    return field.toStdString() + kLike + text + kLikeEnd;
}

std::string TFilterExpression::Equals(const QString& field, const std::string& value) {
    return field.toStdString() + kEquals + value;
}

TFilterExpression TFilterExpression::Parse(const std::string& text, const TSourceDef& def) {
    for (int i = 0; i < static_cast<int>(def.Fields.size()); ++i) {
        const TFieldDef& field = def.Fields[i];
        const std::string name = field.Name.toStdString();
        if (!StartsWith(text, name)) continue;
        const std::string rest = text.substr(name.size());
        TFilterExpression e;
        e.field_ = i;
        if (StartsWith(rest, kLike) && rest.size() >= kLike.size() + kLikeEnd.size() &&
            EndsWith(rest, kLikeEnd)) {
            // Everything between the opening quote and the final "%'" is the prefix, whatever it holds.
            e.type_ = TFilterType::ftPrefix;
            e.value_ = QString::fromStdString(
                rest.substr(kLike.size(), rest.size() - kLike.size() - kLikeEnd.size()));
            e.folded_ = e.value_.toCaseFolded();
            return e;
        }
        if (StartsWith(rest, kEquals)) {
            e.type_ = TFilterType::ftEquals;
            e.value_ = QString::fromStdString(rest.substr(kEquals.size()));
            if (field.IsNumeric() && !e.value_.isEmpty()) {
                if (!ParseInteger(e.value_, e.number_))
                    throw ECatalogError("Invalid filter on \"" + def.Table +
                                        "\": " + QString::fromStdString(text));
                e.hasNumber_ = true;
            }
            return e;
        }
    }
    throw ECatalogError("Invalid filter on \"" + def.Table + "\": " + QString::fromStdString(text));
}

} // namespace tolvane
