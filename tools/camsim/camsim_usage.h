#pragma once

#include <string_view>

namespace netlark {

/// The --help text.
std::string_view camsimUsage();

} // namespace netlark
