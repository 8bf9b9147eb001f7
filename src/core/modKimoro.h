// The application core: start-up, the command dispatcher and the keyboard shortcuts.
#pragma once

#include <cstdint>
#include <string>

// The program's start-up procedure; the runtime calls it once, before any window exists.
void StartApplication();

// Carries out one command: "P" greeting, "A" About dialog, "S" system information,
// "W" Windows-directory dialog, "X" unload the main window. Any other string does nothing.
// Errors pass to the caller.
void RunCommand(std::u16string command);

// Turns a character typed in a form ("Main" for the main window, "Abo" for the About
// dialog) into a command. Writes the upper-cased key code back into KeyAscii.
void MapKeyToCommand(std::int16_t& KeyAscii, std::u16string context);
