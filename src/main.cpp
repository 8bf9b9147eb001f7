// The process's entry point: the window system comes up, the start-up procedure runs, then
// window events until no form is loaded.
#include "core/modKimoro.h"
#include "platform/Entry.h"

int main(int argc, char** argv) {
    const auto windowSystem = StartWindowSystem(argc, argv);
    return RunProgram(StartApplication);
}
