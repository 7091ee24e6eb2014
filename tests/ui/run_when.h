#pragma once

#include <functional>

namespace netlark::testing {

/// Runs `action` from the event loop as soon as `ready` holds, checking every
/// few milliseconds: for acting on a menu or box while its own exec() runs.
void runWhen(std::function<bool()> ready, std::function<void()> action);

} // namespace netlark::testing
