#include "grid/model/columns/ColumnHooks.h"

#include <map>
#include <string>

#include "grid/base/Errors.h"

namespace tolvane {

namespace {
std::map<std::type_index, TColumnClasses>& BoundHooks() {
    static std::map<std::type_index, TColumnClasses> hooks;
    return hooks;
}
} // namespace

void TColumnHooks::Bind(std::type_index columnClass, const TColumnClasses& classes) {
    BoundHooks()[columnClass] = classes;
}

TColumnClasses TColumnHooks::Of(std::type_index columnClass) {
    auto found = BoundHooks().find(columnClass);
    if (found == BoundHooks().end())
        throw EGridError(std::string("No display is bound to the column class ") + columnClass.name() +
                         "; create a grid first or call BindStandardColumnHooks()");
    return found->second;
}

} // namespace tolvane
