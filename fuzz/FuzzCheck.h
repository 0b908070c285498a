#pragma once
// What every fuzz target shares: the fixed regional settings of the tests, the check that stops
// the run on a broken property, and the reading of fuzz bytes as parts of an input.

#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "grid/base/Locale.h"

namespace tolvane::fuzz {

// A broken property is a finding: libFuzzer saves the input that caused it.
#define FUZZ_REQUIRE(condition, what)                                                                        \
    do {                                                                                                     \
        if (!(condition)) ::tolvane::fuzz::Fail(__FILE__, __LINE__, #condition, (what));                     \
    } while (0)

[[noreturn]] inline void Fail(const char* file, int line, const char* condition, const QString& what) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n  %s\n", file, line, condition,
                 what.toUtf8().constData());
    std::abort();
}

// Any other exception than the documented ones is a finding too.
[[noreturn]] inline void Unexpected(const char* what) {
    std::fprintf(stderr, "undocumented exception escaped: %s\n", what);
    std::abort();
}

inline void UseFixedLocale() {
    TLocale::SetCurrent(TFormatSettings::Fixed());
}

// The start-up of a target that needs nothing but the fixed locale.
#define TOLVANE_FUZZ_INITIALIZE_WITH_FIXED_LOCALE()                                                  \
    extern "C" int LLVMFuzzerInitialize(int*, char***) {                                             \
        ::tolvane::fuzz::UseFixedLocale();                                                           \
        return 0;                                                                                    \
    }

// Reads fuzz bytes front to back: fixed-size values first, the rest as text.
class TFuzzInput {
public:
    TFuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T Take() {
        T value{};
        const std::size_t n = std::min(sizeof value, size_);
        std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data_), size_);
        data_ += size_;
        size_ = 0;
        return text;
    }
    bool Empty() const { return size_ == 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace tolvane::fuzz
