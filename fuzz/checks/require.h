#pragma once

#include <stdexcept>
#include <string>

namespace netlark::fuzzing {

/// A property of the code under test that did not hold. Thrown rather than
/// aborting: a fuzz target lets it end the process (libFuzzer keeps the input
/// as a crash), the regression test reports it and replays the next input.
class CheckFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

[[noreturn]] inline void failCheck(const char* condition, const char* file, int line) {
    throw CheckFailed(std::string(file) + ":" + std::to_string(line) + ": " + condition);
}

} // namespace netlark::fuzzing

/// Checks a property; a macro so the message names the condition and its line.
#define NETLARK_REQUIRE(condition)                                                                 \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::netlark::fuzzing::failCheck(#condition, __FILE__, __LINE__);                         \
        }                                                                                          \
    } while (false)
