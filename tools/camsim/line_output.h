#pragma once

#include <string_view>

namespace netlark {

/// Writes one line to stdout and flushes it at once, so a test reading the
/// pipe sees each request as soon as it is handled.
void printLine(std::string_view line);

} // namespace netlark
