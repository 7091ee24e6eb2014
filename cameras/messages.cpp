#include "cameras/messages.h"

namespace netlark::messages {

std::string bindFailed(int error) {
    return "bind : " + std::to_string(error);
}

std::string receiveFailed(int result, int error) {
    return "recvfrom error = " + std::to_string(result) + "," + std::to_string(error);
}

} // namespace netlark::messages
