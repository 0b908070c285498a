#include "grid/control/ColumnClassRegistry.h"

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

void TColumnClassRegistry::Register(const std::string& className, TFactory factory) {
    classes_.emplace(className, std::move(factory));
}

std::unique_ptr<TCustomColumn> TColumnClassRegistry::Create(const std::string& className) const {
    auto it = classes_.find(className);
    if (it == classes_.end() || !it->second) return nullptr;
    return it->second();
}

std::vector<std::string> TColumnClassRegistry::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : classes_) names.push_back(entry.first);
    return names;
}

TColumnClassRegistry& ColumnClasses() {
    static TColumnClassRegistry registry;
    return registry;
}

} // namespace tolvane
