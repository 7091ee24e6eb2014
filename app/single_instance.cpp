#include "app/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace netlark {

namespace {

enum class LockOutcome { Taken, HeldElsewhere, Unusable };

// The runtime directory is private to the user. The temporary directory is
// shared, so the user id goes into the name there, keeping one copy per user.
std::vector<std::filesystem::path> lockFileCandidates(std::string_view name) {
    std::vector<std::filesystem::path> candidates;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime) {
        candidates.push_back(std::filesystem::path(runtime) / name);
    }
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) {
        temporary = "/tmp";
    }
    candidates.push_back(temporary / (std::string(name) + "-" + std::to_string(::getuid())));
    return candidates;
}

LockOutcome lockFile(const std::filesystem::path& path, FileDescriptor& file) {
    // No symbolic links and only a file of our own: in a shared directory
    // another user could otherwise plant the file and hold its lock.
    file = FileDescriptor(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    struct stat status {};
    if (!file.isOpen() || ::fstat(file.get(), &status) != 0 || status.st_uid != ::getuid()) {
        return LockOutcome::Unusable;
    }
    if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0) {
        return LockOutcome::Taken;
    }
    return errno == EWOULDBLOCK ? LockOutcome::HeldElsewhere : LockOutcome::Unusable;
}

} // namespace

std::optional<SingleInstanceLock> SingleInstanceLock::acquire(std::string_view name) {
    for (const std::filesystem::path& path : lockFileCandidates(name)) {
        FileDescriptor file;
        switch (lockFile(path, file)) {
        case LockOutcome::Taken:
            return SingleInstanceLock(std::move(file));
        case LockOutcome::HeldElsewhere:
            return std::nullopt;
        case LockOutcome::Unusable:
            break;
        }
    }
    return SingleInstanceLock(FileDescriptor());
}

} // namespace netlark
