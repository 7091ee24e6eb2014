#include "fuzz/checks/checks.h"
#include "fuzz/checks/require.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

// Every input a fuzz target keeps, its seeds and the inputs that once broke
// it, goes through the same checks here: a mended fault stays mended, and
// under scripts/sanitize the sanitizers watch every replay.
namespace netlark::fuzzing {
namespace {

namespace fs = std::filesystem;

/// The file's bytes in a buffer of exactly their size, so a read past the end
/// is a read past the heap block.
std::vector<std::uint8_t> readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class KeptFuzzInputs : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(KeptFuzzInputs, SatisfyTheirTargetsChecks) {
    const FuzzTarget& target = GetParam();
    int replayed = 0;
    for (const char* kind : {"corpus", "regressions"}) {
        const fs::path folder = fs::path(NETLARK_FUZZ_DIR) / kind / target.name;
        if (!fs::is_directory(folder)) {
            continue;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            const std::vector<std::uint8_t> bytes = readBytes(entry.path());
            try {
                target.check(bytes);
            } catch (const CheckFailed& failure) {
                ADD_FAILURE() << entry.path().string() << ": " << failure.what();
            }
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no seed corpus in " << NETLARK_FUZZ_DIR << "/corpus/" << target.name;
}

INSTANTIATE_TEST_SUITE_P(AllTargets, KeptFuzzInputs, ::testing::ValuesIn(FUZZ_TARGETS),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace netlark::fuzzing
