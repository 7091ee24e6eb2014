#include "app/single_instance.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace netlark {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view NAME = "NETWORK_CAMERA_NETLARK_003";

// Each test gets its own runtime directory, so the lock of a running copy on
// this machine cannot interfere.
class SingleInstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "netlark-lock-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_directory = pattern;
        ::setenv("XDG_RUNTIME_DIR", m_directory.c_str(), 1);
        if (const char* temporary = std::getenv("TMPDIR")) {
            m_savedTemporary = temporary;
        }
    }

    void TearDown() override {
        ::unsetenv("XDG_RUNTIME_DIR");
        if (m_savedTemporary) {
            ::setenv("TMPDIR", m_savedTemporary->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
        fs::remove_all(m_directory);
    }

    // As on a system without a runtime directory; the test's directory
    // stands in for the temporary directory.
    fs::path withoutRuntimeDirectory() {
        ::unsetenv("XDG_RUNTIME_DIR");
        ::setenv("TMPDIR", m_directory.c_str(), 1);
        return m_directory / (std::string(NAME) + "-" + std::to_string(::getuid()));
    }

    fs::path m_directory;
    std::optional<std::string> m_savedTemporary;
};

TEST_F(SingleInstanceLockTest, SecondCopyIsRefusedUntilTheFirstEnds) {
    std::optional<SingleInstanceLock> first = SingleInstanceLock::acquire(NAME);
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(fs::exists(m_directory / NAME));

    // A second open of the lock file is a separate claim, as another process's would be.
    EXPECT_FALSE(SingleInstanceLock::acquire(NAME).has_value());

    first.reset();
    EXPECT_TRUE(SingleInstanceLock::acquire(NAME).has_value());
}

TEST_F(SingleInstanceLockTest, KilledCopyLeavesNoStaleLock) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const auto lock = SingleInstanceLock::acquire(NAME);
        const char held = lock ? 'y' : 'n';
        if (::write(ready[1], &held, 1) != 1) {
            ::_exit(EXIT_FAILURE);
        }
        ::pause();
        ::_exit(EXIT_SUCCESS);
    }
    ::close(ready[1]);
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(held, 'y');
    EXPECT_FALSE(SingleInstanceLock::acquire(NAME).has_value());

    ASSERT_EQ(::kill(holder, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(holder, &status, 0), holder);
    EXPECT_TRUE(SingleInstanceLock::acquire(NAME).has_value());
}

TEST_F(SingleInstanceLockTest, ProgramsStartedByTheHolderDoNotKeepTheLock) {
    std::optional<SingleInstanceLock> lock = SingleInstanceLock::acquire(NAME);
    ASSERT_TRUE(lock.has_value());
    pid_t child = 0;
    char sleep[] = "sleep";
    char seconds[] = "30";
    char* arguments[] = {sleep, seconds, nullptr};
    ASSERT_EQ(::posix_spawnp(&child, sleep, nullptr, nullptr, arguments, environ), 0);

    lock.reset();
    EXPECT_TRUE(SingleInstanceLock::acquire(NAME).has_value());

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

TEST_F(SingleInstanceLockTest, WithoutRuntimeDirectoryUsesAPerUserFileInTheTemporaryDirectory) {
    const fs::path lockFile = withoutRuntimeDirectory();

    const auto first = SingleInstanceLock::acquire(NAME);
    EXPECT_TRUE(first.has_value());
    EXPECT_FALSE(SingleInstanceLock::acquire(NAME).has_value());
    EXPECT_TRUE(fs::exists(lockFile));
}

TEST_F(SingleInstanceLockTest, PlantedLinkIsNotFollowedAndTheProgramStillRuns) {
    // In a shared temporary directory another user may have put a link where
    // the lock file goes: following it would create or lock their choice of file.
    const fs::path target = m_directory / "victim";
    fs::create_symlink(target, withoutRuntimeDirectory());

    const auto first = SingleInstanceLock::acquire(NAME);
    EXPECT_TRUE(first.has_value());
    EXPECT_TRUE(SingleInstanceLock::acquire(NAME).has_value());
    EXPECT_FALSE(fs::exists(target));
}

} // namespace
} // namespace netlark
