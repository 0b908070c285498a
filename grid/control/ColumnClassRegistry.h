#pragma once
// Column classes registered by name, for reading stored grid layouts.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tolvane {

class TCustomColumn;

class TColumnClassRegistry {
public:
    // Creates a column of the class; empty for a class that cannot be instantiated itself.
    using TFactory = std::function<std::unique_ptr<TCustomColumn>()>;

    // Registering a name that is already registered changes nothing.
    void Register(const std::string& className, TFactory factory = {});
    template <class C>
    void Register(const std::string& className) {
        Register(className, [] { return std::unique_ptr<TCustomColumn>(new C()); });
    }

    bool IsRegistered(const std::string& className) const { return classes_.count(className) != 0; }
    // A new column of the named class; null when the name is unknown or the class is abstract.
    std::unique_ptr<TCustomColumn> Create(const std::string& className) const;
    std::vector<std::string> Names() const;

private:
    std::map<std::string, TFactory> classes_;
};

// The process-wide registry that grids register their column classes in (docs/registries.md).
TColumnClassRegistry& ColumnClasses();

} // namespace tolvane
