#include "camsim_process.h"

namespace netlark {

CamsimProcess::CamsimProcess(const std::vector<std::string>& args)
    : ChildProcess(NETLARK_CAMSIM_PATH, args) {}

} // namespace netlark
