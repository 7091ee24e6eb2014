#include "bench/burst/receive_buffer.h"

#include <arpa/inet.h>
#include <charconv>
#include <dirent.h>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <vector>

namespace netlark::bench {

int socketBufferRequest(BufferLimit limit) {
    return limit == BufferLimit::Asked ? ASKED_BUFFER_BYTES : DESKTOP_BUFFER_BYTES / 2;
}

std::optional<int> effectiveReceiveBuffer(std::uint16_t port) {
    DIR* descriptors = ::opendir("/proc/self/fd");
    if (descriptors == nullptr) {
        return std::nullopt;
    }
    std::optional<int> size;
    while (const dirent* entry = ::readdir(descriptors)) {
        int fd = -1;
        const std::string_view name = entry->d_name;
        if (std::from_chars(name.data(), name.data() + name.size(), fd).ec != std::errc{}) {
            continue;
        }
        sockaddr_in address{};
        socklen_t addressLength = sizeof address;
        int type = 0;
        socklen_t typeLength = sizeof type;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &addressLength) != 0 ||
            address.sin_family != AF_INET || ntohs(address.sin_port) != port ||
            ::getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &typeLength) != 0 || type != SOCK_DGRAM) {
            continue;
        }
        int bytes = 0;
        socklen_t bytesLength = sizeof bytes;
        if (::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, &bytesLength) == 0) {
            size = bytes;
        }
    }
    ::closedir(descriptors);
    return size;
}

std::uint64_t udpReceiveBufferErrors() {
    // Two "Udp:" lines: the column names, then the values.
    std::ifstream snmp("/proc/net/snmp");
    std::vector<std::string> names;
    std::string line;
    while (std::getline(snmp, line)) {
        if (!line.starts_with("Udp:")) {
            continue;
        }
        std::istringstream fields(line.substr(4));
        if (names.empty()) {
            for (std::string name; fields >> name;) {
                names.push_back(name);
            }
            continue;
        }
        std::uint64_t value = 0;
        for (const std::string& name : names) {
            fields >> value;
            if (name == "RcvbufErrors") {
                return value;
            }
        }
    }
    return 0;
}

} // namespace netlark::bench
