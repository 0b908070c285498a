#pragma once
// Failures of the catalogue store: a missing or foreign file, a rejected query or write.

#include <stdexcept>
#include <string>

#include <QString>

namespace tolvane {

class ECatalogError : public std::runtime_error {
public:
    explicit ECatalogError(const std::string& message) : std::runtime_error(message) {}
    explicit ECatalogError(const char* message) : std::runtime_error(message) {}
    explicit ECatalogError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

} // namespace tolvane
