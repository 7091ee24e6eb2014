#pragma once

#include "tools/camsim/emulated_camera.h"

#include <cstdint>
#include <string_view>

namespace netlark {

/// One --camera of the command line, and what it left to the --id and
/// --password defaults.
struct CameraOption {
    EmulatedCamera camera;
    bool hasId = false;
    bool hasPassword = false;
};

/// Parses the FIELDS of "--camera FIELDS" for the camera in place `number`:
/// comma-separated key=value pairs, a backslash taking the next character
/// literally. Fields left out take generated camera `number`'s values, and
/// the carried address defaults to the IP address. Throws BadOption.
CameraOption parseCameraOption(std::string_view text, std::uint32_t number);

} // namespace netlark
