#pragma once

#include "transport/file_descriptor.h"

#include <optional>
#include <string_view>
#include <utility>

namespace netlark {

/// Marks the one running copy of the program for this user: an exclusive
/// lock on a file named after the program in the user's runtime directory
/// (the temporary directory when there is none). The kernel drops the lock
/// when the process ends, however it ends.
class SingleInstanceLock {
public:
    /// The lock, held until the returned object is destroyed; nullopt when
    /// another process holds it. When no lock file can be made at all the
    /// program runs unguarded rather than not at all: the lock returned then
    /// guards nothing.
    static std::optional<SingleInstanceLock> acquire(std::string_view name);

private:
    explicit SingleInstanceLock(FileDescriptor file) : m_file(std::move(file)) {}

    FileDescriptor m_file;
};

} // namespace netlark
