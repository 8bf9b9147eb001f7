// The two calls the process's entry point makes.
#pragma once

#include <memory>

// The window system, up for as long as the token lives.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
};

// Brings the window system up. The program takes no command line: nothing in argv beyond
// the program's name reaches the window system.
std::unique_ptr<WindowSystem> StartWindowSystem(int argc, char** argv);

// Runs the start-up procedure, then window events until no form is loaded. An error that
// no procedure handles is reported once and ends the program. Returns the exit status.
int RunProgram(void (*startUp)());
