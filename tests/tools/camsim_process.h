#pragma once

#include "child_process.h"

namespace netlark {

/// netlark-camsim run as a child process.
class CamsimProcess : public ChildProcess {
public:
    explicit CamsimProcess(const std::vector<std::string>& args);
};

} // namespace netlark
