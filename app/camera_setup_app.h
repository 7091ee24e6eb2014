#pragma once

namespace netlark {

/// The program from start to end: a single instance, the main window run
/// modally, then a prompt exit.
class CCameraSetupApp {
public:
    /// Runs the program and returns its exit status. A second copy started
    /// while one runs returns 0 at once, silently.
    int run(int argc, char** argv);
};

} // namespace netlark
