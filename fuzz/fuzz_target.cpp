#include "fuzz/checks/checks.h"

#include <cstdio>
#include <cstdlib>

// The entry point of every fuzz target: the build names the target, and a
// property that does not hold ends the run through the uncaught CheckFailed.
namespace {

auto resolveCheck() {
    const auto check = netlark::fuzzing::checkNamed(NETLARK_FUZZ_TARGET);
    if (check == nullptr) {
        std::fprintf(stderr, "no check is named %s\n", NETLARK_FUZZ_TARGET);
        std::abort();
    }
    return check;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto check = resolveCheck();
    check({data, size});
    return 0;
}
