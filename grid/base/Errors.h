#pragma once
// The exception types of the grid library. Every failure is an exception with a message text.

#include <stdexcept>
#include <string>

#include <QString>

namespace tolvane {

// A general failure of the grid library.
class EGridError : public std::runtime_error {
public:
    explicit EGridError(const std::string& message) : std::runtime_error(message) {}
    explicit EGridError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// A text that does not convert to the requested kind of value.
class EConvertError : public EGridError {
public:
    using EGridError::EGridError;
};

// An index outside a list. Raised by explicit checks, never left to undefined behaviour.
class EListError : public EGridError {
public:
    using EGridError::EGridError;
};

// Throws EListError "<what> index out of bounds (<index>)" unless 0 <= index < count.
inline void CheckListIndex(long long index, long long count, const char* what) {
    if (index < 0 || index >= count)
        throw EListError(std::string(what) + " index out of bounds (" + std::to_string(index) + ")");
}

} // namespace tolvane
