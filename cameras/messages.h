#pragma once

#include <string>
#include <string_view>

// Every text Netlark shows in a message box.
namespace netlark::messages {

inline constexpr std::string_view SOCKETS_INIT_FAILED = "Windows sockets initialization failed.";
inline constexpr std::string_view CANNOT_OPEN_SEND_SOCKET = " cannot open recv socket\n";
inline constexpr std::string_view CANNOT_OPEN_RECEIVE_SOCKET = "cannot open recv socket";
inline constexpr std::string_view SETSOCKOPT_ERROR = "setsockopt error";
inline constexpr std::string_view SENDTO_ERROR = "sendto error";
inline constexpr std::string_view INVALID_CHECKSUM = "OP_IM_HERE : Invalid checksum";
inline constexpr std::string_view CHANGE_SUCCEEDED =
    "Successfully changed Internet Camera's IP address";
inline constexpr std::string_view INVALID_CREDENTIALS = "Invalid ID or/and Password";
inline constexpr std::string_view INVALID_OP = "Invalid OP";
inline constexpr std::string_view CREDENTIALS_MISSING = "ID or/and Password is/are null!";
inline constexpr std::string_view INVALID_CAMERA = "Invalid Camera";
inline constexpr std::string_view INVALID_IP = "Error : invalid IP Address format";
inline constexpr std::string_view INVALID_GATEWAY = "Error : invalid Gateway Address format";
inline constexpr std::string_view INVALID_SUBNET_MASK =
    "Error : invalid Subnet Mask Address format";
inline constexpr std::string_view INVALID_DNS = "Error : invalid DNS Address format";

/// "bind : N" with the system's error code.
std::string bindFailed(int error);

/// "recvfrom error = R,E": the receive's result (-1 on failure, else the byte
/// count) and the system's error code.
std::string receiveFailed(int result, int error);

} // namespace netlark::messages
