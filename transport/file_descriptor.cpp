#include "transport/file_descriptor.h"

#include <unistd.h>
#include <utility>

namespace netlark {

FileDescriptor::~FileDescriptor() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        FileDescriptor old(std::exchange(m_fd, std::exchange(other.m_fd, -1)));
    }
    return *this;
}

} // namespace netlark
